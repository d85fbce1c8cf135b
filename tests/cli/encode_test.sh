#!/usr/bin/env bash
# orrikey-cli encode as scripts use it: output streams and exit status.
# usage: encode_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/checks.sh"

printf 'LBL "AB"\r\n\r\n1 @ one\nEND' > "$work/good.42S"
"$cli" encode "$work/good.42S" > "$work/out" 2> "$work/err"
check "good program exits 0" 0 $?
check "hex listing" $'C000F3004142\n1100\nC0000D' "$(cat "$work/out")"
check "caption on stderr" "{ 11-Byte Prgm }" "$(cat "$work/err")"

printf '\nCLX\n\n \t\nFOO\r\nSTO 5' > "$work/bad.42S"
"$cli" encode "$work/bad.42S" > "$work/out" 2> "$work/err"
check "failed line exits 1" 1 $?
check "error lines stay in the listing" $'77\n------ err opcode\n------ err par' "$(cat "$work/out")"
check "INFO lines count blank lines, no caption" \
  $'Line: 5 ------ err opcode\nLine: 6 ------ err par' "$(cat "$work/err")"

printf '00 { 9-Byte Prgm }\n01▸LBL "A"\n// note\n\n02 STO× 05\n03 CLX ✓\n04 1E3\n' > "$work/listing.txt"
"$cli" encode "$work/listing.txt" > "$work/out" 2> "$work/err"
check "listing with a bad line exits 1" 1 $?
check "listing lines convert, the bad one keeps its place" \
  $'C000F20041\n9405\n------ err char\n111B1300' "$(cat "$work/out")"
check "the bad listing line is named by its file line" \
  "Line: 6 ------ err char: The character ✓ (U+2713) has no calculator code" "$(cat "$work/err")"

"$cli" encode "$work/good.42S" > /dev/full 2> "$work/err"
check "a full standard output exits 2" 2 $?
check "a full standard output is reported" \
  "orrikey-cli: Cannot write to standard output. No space left on device" "$(cat "$work/err")"

: > "$work/empty.42S"
"$cli" encode "$work/empty.42S" > "$work/out" 2> "$work/err"
check "empty file exits 0" 0 $?
check "empty file prints nothing" "" "$(cat "$work/out" "$work/err")"

"$cli" encode "$work/missing.42S" > "$work/out" 2> "$work/err"
check "missing file exits 2" 2 $?
check "missing file is named" \
  "orrikey-cli: Cannot open file \"$work/missing.42S\". No such file or directory" \
  "$(head -n 1 "$work/err")"

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
