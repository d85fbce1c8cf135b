#!/usr/bin/env bash
# orrikey-cli encode as scripts use it: output streams and exit status.
# usage: encode_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/checks.sh"

printf 'LBL "AB"\r\n\r\n1 @ one\nEND' > "$work/good.42S"
expect "good program: hex listing, caption on stderr" 0 $'C000F3004142\n1100\nC0000D' \
  "{ 8-Byte Prgm }" encode "$work/good.42S"
printf 'CLX\nEND\nLBL "AB"\nENTER\n' > "$work/two.42S"
expect "several programs: their total" 0 $'77\nC0000D\nC000F3004142\n83' \
  "8 bytes in 2 programs" encode "$work/two.42S"

printf '\nCLX\n\n \t\nFOO\r\nSTO 128' > "$work/bad.42S"
expect "failed lines stay in the listing; INFO lines count blank lines, no caption" 1 \
  $'77\n------ err opcode\n------ err par' $'Line: 5 ------ err opcode\nLine: 6 ------ err par' \
  encode "$work/bad.42S"

printf '00 { 9-Byte Prgm }\n01▸LBL "A"\n// note\n\n02 STO× 05\n03 CLX ✓\n04 1E3\n' > "$work/listing.txt"
expect "a listing's bad line keeps its place and is named by its file line" 1 \
  $'C000F20041\n9405\n------ err char\n111B1300' \
  "Line: 6 ------ err char: The character ✓ (U+2713) has no calculator code" \
  encode "$work/listing.txt"

# A control byte at a line's end fails that line, in every form of text.
printf '\x05+\n"A\x05"\n' > "$work/control8.42S"
printf '\x05+\n"Σ\x05"\n' > "$work/controlUtf8.42S"
printf '01 +\x05\n02 "A"\n' > "$work/control.txt"
while IFS='|' read -r file out; do
  expect "$file: a control byte is named" 1 "$(printf '%b' "$out")" \
    "Line: 1 ------ err char: The line holds the control character 0x05" encode "$work/$file"
done <<'EOF'
control8.42S|------ err char\nF24105
controlUtf8.42S|------ err char\nF20505
control.txt|------ err char\nF141
EOF

for output in "" "-o -"; do
  "$cli" encode "$work/good.42S" $output > /dev/full 2> "$work/err"
  check "a full standard output exits 2 ($output)" 2 $?
  check "a full standard output is reported once ($output)" \
    "orrikey-cli: Cannot write to standard output. No space left on device" "$(cat "$work/err")"
done

: > "$work/empty.42S"
expect "empty file" 0 "" "" encode "$work/empty.42S"
expect "missing file" 2 "" \
  "orrikey-cli: Cannot open file \"$work/missing.42S\". No such file or directory" \
  encode "$work/missing.42S"

printf 'CLX\n' | "$cli" encode - "$work/good.42S" > "$work/out" 2> "$work/err"
check "standard input and a file exit 0" 0 $?
check "each file's listing after its name" \
  $'==> - <==\n77\n==> '"$work/good.42S"$' <==\nC000F3004142\n1100\nC0000D' "$(cat "$work/out")"

for args in "" "encode" "encode a -o" "frobnicate"; do
  "$cli" $args > /dev/null 2>&1
  check "usage error for '$args' exits 2" 2 $?
done
"$cli" --version > "$work/out"
check "--version" 0 $?
grep -q '^orrikey-cli [0-9]' "$work/out" || { echo "FAIL: --version text"; failures=$((failures + 1)); }
"$cli" --help > /dev/null
check "--help" 0 $?

finish "cli encode"
