#!/usr/bin/env bash
# The Kate definition: well-formed, taken by KSyntaxHighlighting as HP-42S,
# and the format at a place in a line, for a table of lines.
# usage: kate_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/../cli/checks.sh"
command -v kate-syntax-highlighter > /dev/null || exit 77
export LC_ALL=C.UTF-8  # columns count characters
definition=$source_dir/editors/kate/hp42s.xml

check "the definition is well-formed XML" "" "$(xmllint --noout "$definition" 2>&1)"
# KSyntaxHighlighting finds definitions in the data folders' syntax folder.
export XDG_DATA_HOME=$work/data
mkdir -p "$XDG_DATA_HOME/org.kde.syntax-highlighting/syntax"
cp "$definition" "$XDG_DATA_HOME/org.kde.syntax-highlighting/syntax/"
check "the definition is taken" HP-42S "$(kate-syntax-highlighter --list | grep -x HP-42S)"

# format_at LINE TEXT: the format of the first character of TEXT in LINE.
# The trace puts each format's name below the column where it starts.
format_at() {
  local prefix=${1%%"$2"*} best=-1 found="" row rest at start
  local column=${#prefix}
  while IFS= read -r row; do
    rest=$row at=0
    while [[ $rest =~ ^([^A-Za-z]*)([A-Za-z]+)(.*)$ ]]; do
      start=$((at + ${#BASH_REMATCH[1]}))
      at=$((start + ${#BASH_REMATCH[2]}))
      if ((start <= column && start > best)); then best=$start found=${BASH_REMATCH[2]}; fi
      rest=${BASH_REMATCH[3]}
    done
  done < <(printf '%s\n' "$1" |
           kate-syntax-highlighter --stdin --syntax HP-42S --output-format ansi \
             --syntax-trace format | sed 's/\x1b\[[0-9;]*[mK]//g' | tail -n +2)
  echo "$found"
}

while IFS=$'\t' read -r expected text line; do
  check "\"$text\" in $line" "$expected" "$(format_at "$line" "$text")"
done <<'EOF'
Instruction	STO	02 STO IND ST X @ the "X" register
Indirect	IND	02 STO IND ST X @ the "X" register
Stack	ST X	02 STO IND ST X @ the "X" register
Comment	"X"	02 STO IND ST X @ the "X" register
Step	02	02 STO IND ST X @ the "X" register
Header	{	00 { 9-Byte Prgm }
LabelMark	▸	01▸LBL "A"
Label	"A"	01▸LBL "A"
LocalLabel	A	GTO A
Number	1ᴇ3	1ᴇ3
Number	12	12 @ a number, not a step
Keyword	TO	ASSIGN "AB" TO 05
String	hi	"say "hi" now" ; a text with quotes
Comment	a text	"say "hi" now" ; a text with quotes
Instruction	1/X	1/X
Comment	#	# a listing's note
EOF

finish "kate"
