#!/usr/bin/env bash
# orrikey-cli check and programs: messages editors and CI read, and status.
# usage: check_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/checks.sh"

printf 'LBL "A"\nGTO 01\nXEQ "LIB"\nEND\nLBL 01\nFOO\n' > "$work/p.42S"
expect "a missing local label warns, a missing global one is a note, a bad line an error, each at its column" 1 \
  "$work/p.42S:2:5: warning: no label 01 in this program (Label Not Found when it runs)
$work/p.42S:3:5: note: no global label \"LIB\" in this file; another program may hold it
$work/p.42S:6:1: error: unknown instruction \"FOO\"
1 file, 2 programs, 1 error, 1 warning, 1 note" "" check "$work/p.42S"
printf 'LBL "Σ"\nXEQ "Σ"\nXEQ "LIB"\n' > "$work/ok.42S"
expect "notes alone leave the status clean" 0 \
  "$work/ok.42S:3:5: note: no global label \"LIB\" in this file; another program may hold it
1 file, 1 program, 0 errors, 0 warnings, 1 note" "" \
  check "$work/ok.42S"
expect "a missing file is named as encode names it" 2 "0 files, 0 programs, 0 errors, 0 warnings, 0 notes" \
  "orrikey-cli: Cannot open file \"$work/none.42S\". No such file or directory" check "$work/none.42S"
expect "programs lists sizes, steps, needs and labels" 0 'Program 1, lines 1-3: { 13-Byte Prgm }, 3 steps
  needs SIZE 0; HP-42S: yes
  1 LBL "Σ"' "" programs "$work/ok.42S"

# What programs need: the SIZE, and with --target hp42s, today's instructions
# as errors, in every form of file; today's calculators, the default, have them.
printf 'LBL "A"\nSTO 30\nDUP\nX=? ST Y\nEND\nLBL "B"\nSIZE 20\nRCL IND 05\nΣ+\n' > "$work/needs.42S"
printf 'C0 00 F2 00 41 A7 E7 F3 A7 14 72 C0 00 0D' | xxd -r -p > "$work/needs.raw"
printf '00 { 6-Byte Prgm }\n01 STO 30\n02 DUP\n03 END\n' > "$work/needs.txt"
# TARGET|FILE|STATUS|REPORT, its lines joined by "^", FILE standing for the file
while IFS='|' read -r target file status said; do
  said=${said//FILE/$work/$file}
  expect "check --target $target $file" "$status" "${said//^/$'\n'}" "" check --target "$target" "$work/$file"
done <<'EOF_NEEDS'
today|needs.42S|1|FILE:1:1: note: needs SIZE 31: uses R30^FILE:7:1: warning: SIZE 20 is too small for this program, which needs SIZE 24: statistics registers R11 to R23^1 file, 2 programs, 0 errors, 1 warning, 1 note
hp42s|needs.42S|1|FILE:1:1: note: needs SIZE 31: uses R30^FILE:3:1: error: not on the HP-42S: an instruction of today's calculators^FILE:4:1: error: not on the HP-42S: an instruction of today's calculators^FILE:7:1: warning: SIZE 20 is too small for this program, which needs SIZE 24: statistics registers R11 to R23^1 file, 2 programs, 2 errors, 1 warning, 1 note
today|needs.raw|0|1 file, 1 program, 0 errors, 0 warnings, 0 notes
hp42s|needs.raw|1|FILE:2:1: error: not on the HP-42S: an instruction of today's calculators^FILE:3:1: error: not on the HP-42S: an instruction of today's calculators^1 file, 1 program, 2 errors, 0 warnings, 0 notes
hp42s|needs.txt|1|FILE:2:1: note: needs SIZE 31: uses R30^FILE:3:1: error: not on the HP-42S: an instruction of today's calculators^1 file, 1 program, 1 error, 0 warnings, 1 note
EOF_NEEDS
expect "programs says what each program needs, after its first line" 0 'Program 1, lines 1-5: { 13-Byte Prgm }, 5 steps
  needs SIZE 31; HP-42S: no, 2 lines use today'"'"'s instructions (first at line 3)
  1 LBL "A"
Program 2, lines 6-9: { 12-Byte Prgm }, 4 steps
  needs SIZE 24 at least; HP-42S: yes
  6 LBL "B"' "" programs "$work/needs.42S"

printf 'CLX\n\x01LBL 01\n' > "$work/control.42S"
expect "a control byte is an error that names it" 1 \
  "$work/control.42S:2:1: error: control character 0x01 outside a text
1 file, 1 program, 1 error, 0 warnings, 0 notes" "" \
  check "$work/control.42S"

# Folders: the program files under them by extension, at any depth, in the
# order of their paths; other files are left alone, and a link back up does
# not loop.
mkdir -p "$work/tree/b/deeper" "$work/tree/a"
printf 'LBL "B"\nEND\nFOO\n' > "$work/tree/b/deeper/z.42s"
printf 'GTO 02\n' > "$work/tree/b/y.txt"
printf 'C0 00 F2 00 41 C0 00 0D' | xxd -r -p > "$work/tree/a/x.raw"
printf 'FOO\n' > "$work/tree/notes.md"
printf 'GTO 01\n' > "$work/tree/b/one.42S"
ln -s .. "$work/tree/b/up"
expect "folders are checked file by file, in the order of their paths" 1 \
  "$work/tree/b/deeper/z.42s:3:1: error: unknown instruction \"FOO\"
$work/tree/b/one.42S:1:5: warning: no label 01 in this program (Label Not Found when it runs)
$work/tree/b/y.txt:1:5: warning: no label 02 in this program (Label Not Found when it runs)
$work/ok.42S:3:5: note: no global label \"LIB\" in this file; another program may hold it
5 files, 6 programs, 1 error, 2 warnings, 1 note" "" check "$work/tree/" "$work/ok.42S"
chmod 000 "$work/tree/b/deeper"
if ! [ -r "$work/tree/b/deeper" ]; then  # root reads it anyway
  expect "a folder that cannot be read is named, and the rest still checked" 2 \
    "$work/tree/b/one.42S:1:5: warning: no label 01 in this program (Label Not Found when it runs)
$work/tree/b/y.txt:1:5: warning: no label 02 in this program (Label Not Found when it runs)
3 files, 3 programs, 0 errors, 2 warnings, 0 notes" \
    "orrikey-cli: Cannot read folder \"$work/tree/b/deeper\". Permission denied" check "$work/tree"
fi
chmod 755 "$work/tree/b/deeper"
check "a full standard output exits 2" 2 "$("$cli" check "$work/p.42S" > /dev/full 2> /dev/null; echo $?)"

# The reports go out as they are made and the lines are read twice rather
# than held: files that repeat one label, or END, on every line, with a
# report line for each and the summary, are checked in room of 16 bytes for each of their
# bytes, above what the command takes for any file. Builds that cannot start
# in that room at all (with AddressSanitizer) skip this.
base_kb=32768
head -c 1048576 /dev/zero | tr '\0' '\001' > "$work/labels.raw"
yes 'LBL 00' | head -c 1048576 > "$work/labels.42S"
printf '\300\000\015' > "$work/ends.raw"
for _ in $(seq 18); do cat "$work/ends.raw" "$work/ends.raw" > "$work/twice" && mv "$work/twice" "$work/ends.raw"; done
if { (ulimit -v $base_kb && "$cli" --version) > /dev/null 2>&1; } 2> /dev/null; then
  while read -r command file status lines; do
    limit_kb=$((base_kb + 16 * $(wc -c < "$work/$file") / 1024))
    lines_out=$( (ulimit -v $limit_kb && "$cli" $command "$work/$file" 2> "$work/err"; echo $? > "$work/status") | wc -l)
    check "$command of $file in 16 bytes a byte: status" "$status" "$(cat "$work/status")"
    check "$command of $file in 16 bytes a byte: nothing on standard error" "" "$(cat "$work/err")"
    check "$command of $file in 16 bytes a byte: every line" "$lines" "$lines_out"
  done <<'EOF2'
check labels.raw 1 1048576
programs labels.raw 0 1048578
check labels.42S 1 149797
programs labels.42S 0 149798
check ends.raw 0 1
programs ends.raw 0 524288
EOF2
fi

finish "cli check"
