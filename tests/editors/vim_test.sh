#!/usr/bin/env bash
# The Vim files: the highlight group at a place in a line, for a table of
# lines, and which files open as HP-42S programs.
# usage: vim_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/../cli/checks.sh"
command -v vim > /dev/null || exit 77

# The group, the text whose first character is looked at, and the line.
cat > "$work/rows" <<'EOF'
hp42sInstruction	STO	STO 05
hp42sNumber	05	STO 05
hp42sInstruction	1/X	1/X
hp42sString	AB	├"AB"
hp42sIndirect	IND	RCL IND ST X
hp42sStack	ST	RCL IND ST X
hp42sLabel	"	LBL "A"
hp42sLocalLabel	A	GTO A
hp42sKeyword	TO	ASSIGN "AB" TO 05
hp42sNumber	-	-2.5e-7
hp42sNumber	1ᴇ3	1ᴇ3
hp42sString	@	"A@B"
hp42sString	hi	"say "hi" now"
hp42sComment	a text	"say "hi" now" @ a text with quotes
hp42sComment	"X"	STO 05 @ the "X" register
hp42sComment	;	CLX ; clear x
hp42sComment	#	# a listing's note
hp42sHeader	{	00 { 9-Byte Prgm }
hp42sStep	01	01▸LBL "A"
hp42sLabelMark	▸	01▸LBL "A"
hp42sInstruction	CLX	02 CLX
hp42sNumber	12	12 @ a number, not a step
hp42sError	Error	Error in Hex Code
EOF
cat > "$work/check.vim" <<'EOF'
set encoding=utf-8
syntax on
let failures = []
for row in readfile($WORK . '/rows')
  let [expected, needle, line] = split(row, "\t")
  " A buffer of its own, as the syntax of a changed line is not read again.
  enew!
  call setline(1, line)
  set filetype=hp42s
  let actual = synIDattr(synID(1, stridx(line, needle) + 1, 1), 'name')
  if actual !=# expected
    call add(failures, 'FAIL: "' . needle . '" in ' . line . ': expected ' . expected . ', got ' . actual)
  endif
endfor
filetype on
for [file, expected] in [['p.42S', 'hp42s'], ['p.42s', 'hp42s'], ['listing.txt', 'hp42s'],
      \ ['notes.txt', 'text']]
  execute 'edit!' fnameescape($WORK . '/' . file)
  if &filetype !=# expected
    call add(failures, 'FAIL: ' . file . ' opens as "' . &filetype . '", not ' . expected)
  endif
endfor
call writefile(failures, $WORK . '/failures')
qall!
EOF
printf '00 { 3-Byte Prgm }\n01 CLX\n' > "$work/listing.txt"
printf 'CLX\n' > "$work/notes.txt"
WORK=$work vim -es -u NONE -N -i NONE --cmd "set rtp^=$source_dir/editors/vim" -S "$work/check.vim" < /dev/null
check "vim ran the checks" 0 $?
while read -r failure; do
  echo "$failure"
  failures=$((failures + 1))
done < "$work/failures"

finish "vim"
