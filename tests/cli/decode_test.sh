#!/usr/bin/env bash
# orrikey-cli decode, and encode -o: output streams, written files, exit status.
# usage: decode_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/checks.sh"

hex_of() { od -An -v -tx1 "$1" | tr -d ' \n' | tr a-f A-F; }

expect "clean decode" 0 $'LBL "ABC"\n1.5\nSTO 01\nRCL 01\n+\nCLX\nEND' "" \
  decode --hex C000F400414243111A150031214077C0000D
expect "undecodable bytes: the error line ends the text" 1 $'STO 05\nError in Hex Code' \
  "Error in Hex Code - Around Line: 2" decode --hex 9105F2D1
# Hex text that is not hex: what stands where, a whole character at a time.
while IFS='|' read -r hex said; do
  expect "hex text $(printf '%q' "$hex")" 1 "" "orrikey-cli: The hex text $said" decode --hex "$(printf "$hex")"
done <<'EOF'
F341G2|holds "G" at character 5, which is not a hex digit
€|holds "€" at character 1, which is not a hex digit
C0 0€ 0D|holds "€" at character 5, which is not a hex digit
F3 4ü1|holds "ü" at character 5, which is not a hex digit
0\x05|holds the control character 0x05 at character 2, which is not a hex digit
AB\xE2\x82|holds the byte 0xE2 at byte 3, which is not a hex digit
01 G|holds "G" at character 4, which is not a hex digit
011|ends in a lone digit '1'; every byte takes two digits
EOF
expect "hex output skips blanks, writes uppercase pairs" 0 "C0000D" "" \
  decode --format hex --hex $'c0 00\t0d\n'
"$cli" decode --hex 7740 > /dev/full 2> /dev/null
check "a full standard output exits 2" 2 $?

printf '\xF3\x0D\x41\x42\x55\x00' > "$work/glyph.raw"
expect "8bit: display codes byte for byte" 0 "$(printf '"\xADAB"\nE^X\nNULL')" "" \
  decode --format 8bit "$work/glyph.raw"
expect "text: UTF-8 glyphs" 0 $'"↵AB"\nE↑X\nNULL' "" decode "$work/glyph.raw"
# In a long program, lines read before are written as they were the first time.
long=""
for i in $(seq 1000); do cat "$work/glyph.raw"; long+=$'"↵AB"\nE↑X\nNULL\n'; done > "$work/long.raw"
expect "text: a long program" 0 "${long%$'\n'}" "" decode "$work/long.raw"
printf '\xF3\x41' >> "$work/long.raw"
expect "a long program that stops counts every line" 1 "${long}Error in Hex Code" \
  "Error in Hex Code - Around Line: 3001" decode "$work/long.raw"

# Text characters whose own byte is a glyph's display code, 0x7F and 0x80
# come back through the text decode writes.
chars=F29B84F291C2F441807F9FF5415B4C465D
for format in text 8bit; do
  "$cli" decode --format $format --hex $chars -o "$work/chars.42S" &&
    "$cli" encode "$work/chars.42S" -o "$work/chars.raw" > /dev/null
  check "decode --format $format, then encode" "$chars" "$(hex_of "$work/chars.raw")"
done

expect "decode -o" 0 "" "" decode --hex 7740C0000D -o "$work/p.42S"
check "program text file has CR LF between lines" "$(printf 'CLX\r\n+\r\nEND')" "$(cat "$work/p.42S")"
for output in p.42S new.42S; do
  expect "failed decode -o $output" 1 "" "Error in Hex Code - Around Line: 2" \
    decode --hex 77F341 -o "$work/$output"
done
check "failed decode keeps the old file" "$(printf 'CLX\r\n+\r\nEND')" "$(cat "$work/p.42S")"
check "failed decode creates no file" absent "$(absent "$work/new.42S")"


expect "a device as output" 2 "" "orrikey-cli: Cannot create file \"/dev/null\". Not a regular file" \
  decode --hex 77 -o /dev/null

printf 'LBL "AB"\r\n1.5\r\nSTO 01\r\nEND' > "$work/good.42S"
expect "encode -o still lists the hex" 0 $'C000F3004142\n111A1500\n31\nC0000D' "{ 11-Byte Prgm }" \
  encode "$work/good.42S" -o "$work/good.raw"
check "raw file holds the bytes" "C000F3004142111A150031C0000D" "$(hex_of "$work/good.raw")"
printf 'CLX\nSTO 128' > "$work/bad.42S"
for output in good.raw bad.raw; do
  expect "encode -o $output with a failed line" 1 $'77\n------ err par' "Line: 2 ------ err par" \
    encode "$work/bad.42S" -o "$work/$output"
done
check "failed encode keeps the old raw file" "C000F3004142111A150031C0000D" "$(hex_of "$work/good.raw")"
check "failed encode creates no file" absent "$(absent "$work/bad.raw")"

# An output that is an input of the run, or that two inputs would both write,
# is refused before anything is written.
mkdir -p "$work/a" "$work/b" "$work/coll"
printf 'CLX' > "$work/a/p.42S"
printf 'SIN' > "$work/b/p.42S"
printf '\x77' > "$work/coll/p.raw"
for args in "encode $work/a/p.42S $work/b/p.42S -o $work/coll/" "encode - - -o $work/coll/" \
            "encode $work/a/p.42S -o $work/a/./p.42S" "decode $work/coll/p.raw -o $work/coll/p.raw"; do
  "$cli" $args < /dev/null > /dev/null 2> "$work/err"
  check "clashing output of '$args' exits 2" 2 $?
  check "clashing output of '$args' says so" 1 "$(grep -c 'nothing was written$' "$work/err")"
done
# Standard input is known by the file the shell reads it from.
printf '77' > "$work/b/stdin.hex"
while read -r input args; do
  "$cli" $args < "$work/$input" > /dev/null 2> "$work/err"
  check "'$args' < $input exits 2" 2 $?
  check "'$args' < $input names standard input" \
    "orrikey-cli: -o would replace the input \"-\" (standard input); nothing was written" "$(cat "$work/err")"
done <<EOF
a/p.42S encode - -o $work/a/p.42S
coll/p.raw decode - -o $work/coll/./p.raw
b/stdin.hex decode --format hex $work/coll/p.raw - -o $work/b
EOF
check "no clashing output was written" "p.raw" "$(ls "$work/coll")"
check "the inputs stay" "CLX SIN 77" \
  "$(cat "$work/a/p.42S"; echo -n ' '; cat "$work/b/p.42S"; echo -n ' '; cat "$work/b/stdin.hex")"

for args in "decode" "decode --hex 77 a" "decode --format bogus a" "decode --hex" "decode a -o" "decode a -o b -o c" \
            "encode --hex 77"; do
  "$cli" $args > /dev/null 2>&1
  check "usage error for '$args' exits 2" 2 $?
done

"$cli" decode --format listing --hex C000F20041C0000D7740 > "$work/out"
check "listing: header, label mark, the END added" \
  $'00 { 5-Byte Prgm }\n01▸LBL "A"\n02 END\n00 { 2-Byte Prgm }\n01 CLX\n02 +\n03 END' \
  "$(cat "$work/out")"
"$cli" decode --format hex - < "$work/good.raw" > "$work/out"
check "hex from standard input" "C000F3004142111A150031C0000D" "$(cat "$work/out")"

# Several raw files into a folder, one output each named after its input;
# the exit status is the worst of them.
printf '\x77' > "$work/one.raw"
printf '\xF3\x41' > "$work/cut.raw"
mkdir "$work/listings"
"$cli" decode --format listing "$work/one.raw" "$work/cut.raw" -o "$work/listings/" 2> "$work/err"
check "several files exit with the worst status" 1 $?
check "each file gets its own listing" $'00 { 1-Byte Prgm }\n01 CLX\n02 END' \
  "$(cat "$work/listings/one.txt")"
check "a failed file writes nothing" absent "$(absent "$work/listings/cut.txt")"
"$cli" decode "$work/one.raw" "$work/cut.raw" -o "$work/p.42S" > /dev/null 2>&1
check "several files into one file is a usage error" 2 $?

# Short of memory, a run ends with a message, not an abort: a listing holds
# every line at once. Builds that cannot start under the limit at all (with
# AddressSanitizer) skip this.
head -c 4000000 /dev/zero | tr '\0' '\167' > "$work/long.raw"
if { (ulimit -v 60000 && "$cli" --version) > /dev/null 2>&1; } 2> /dev/null; then
  (ulimit -v 60000 && "$cli" decode --format listing "$work/long.raw") > /dev/null 2> "$work/err"
  check "out of memory exits 2" 2 $?
  check "out of memory is reported" "orrikey-cli: Out of memory" "$(cat "$work/err")"
fi

# Every example survives encode, decode and encode again, byte for byte.
for program in "$source_dir"/examples/*.42S; do
  [ -e "$program" ] || continue
  name=$(basename "$program" .42S)
  "$cli" encode "$program" -o "$work/$name.raw" > /dev/null 2>&1
  check "example $name converts cleanly" 0 $?
  "$cli" decode "$work/$name.raw" -o "$work/$name.42S"
  check "example $name decodes" 0 $?
  "$cli" encode "$work/$name.42S" -o "$work/$name.again.raw" > /dev/null 2>&1
  check "example $name encodes again" 0 $?
  check "example $name comes back" "$(hex_of "$work/$name.raw")" "$(hex_of "$work/$name.again.raw")"
  "$cli" decode --format listing "$work/$name.raw" | "$cli" encode - -o - 2> /dev/null > "$work/$name.listed.raw"
  check "example $name comes back from its listing" "$(hex_of "$work/$name.raw")" \
    "$(hex_of "$work/$name.listed.raw")"
done

finish "cli decode"
