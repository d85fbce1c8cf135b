#!/usr/bin/env bash
# The table generator reads every fact of an instruction from data: a made-up
# instruction gets its record, help and menu places from its row, the help
# table and the menu list alone, and a row it cannot read stops the build
# with the file and line.
# usage: tablegen_test.sh TABLEGEN
source "$(dirname "$0")/../cli/checks.sh" "$1" .
tablegen=$1
byte_code=$(dirname "$0")/../../tables/byte_code.txt
hop=FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF

# instructions FIXED_ROW MOD_ROW HELP MENU SPELLINGS PICKS: the files hold
# the texts (printf %b), the rows today's instructions.
instructions() {
  printf '%s\n' "$1" > "$work/today.txt"
  printf '%s\n' "$2" > "$work/mod.txt"
  printf '%b' "$3" > "$work/help.txt"
  printf '%b' "$4" > "$work/menu.txt"
  printf '%b' "$5" > "$work/spellings.txt"
  printf '%b' "$6" > "$work/picks.txt"
  "$tablegen" instructions "$work/out.cpp" --fixed --today "$work/today.txt" --mod --today "$work/mod.txt" \
    --help "$work/help.txt" --menu "$work/menu.txt" --spellings "$work/spellings.txt" \
    --picks "$work/picks.txt" --byte-code "$byte_code" 2> "$work/err"
}

# KIND|ROW|WHAT THE RECORD HOLDS, OR THE MESSAGE AFTER "FILE:1: "
while IFS='|' read -r kind row said; do
  fixed=ZAP,A7FF mod=HOP,$hop,operand=program
  if [ "$kind" = fixed ]; then fixed=$row; else mod=$row; fi
  if instructions "$fixed" "$mod" 'ZAP\nZaps.\nHOP\nHops.\n' '' '' ''; then
    record=$(grep "^    {\"${row%%,*}\"sv" "$work/out.cpp")
    check "'$row': record holds $said" "$said" "$(grep -oF -- "$said" <<< "$record")"
  else
    check "'$row': message" "$work/$([ "$kind" = fixed ] && echo today || echo mod).txt:1: $said" "$(cat "$work/err")"
  fi
done <<'EOF_TABLE'
fixed|ZAP,A7FF|{"ZAP"sv, "\247\377"sv, false, false, true, Statistics::kNone, false, "Zaps."sv, {}}
fixed|ZAP,C0000D,ends-program| "\300\000\015"sv, true, false, true,
fixed|ZAP,A7FF,dropped,ends-program| "\247\377"sv, true, true, true,
fixed|ZAP,A7FF,uses-statistics| true, Statistics::kUses, false,
fixed|ZAP,A7FF,sets-statistics=linear| true, Statistics::kLinear, false,
fixed|ZAP,A7FF,sets-statistics=all| true, Statistics::kAll, false,
fixed|ZAP,A7FF,sets-statistics=some|unknown statistics mode "some"
fixed|ZAP,A7FF,uses-statistics,sets-statistics=all|fact "sets-statistics=all" says again what another fact of the row says
fixed|ZAP,A7FF,register|no fact "register" here
fixed|ZAP,A7FF,indirect-register| Statistics::kNone, true,
fixed|ZAP,A7FF,operand=label|no fact "operand" here
fixed|ZAP,A7FF,ends-program=yes|fact "ends-program=yes" takes no value
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,operand=program| OperandKind::kProgram, false, ""sv, true, NumberMeans::kOther, "Hops."sv, {}}
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,operand=key-label,key-word=KEY| OperandKind::kKeyLabel, false, "KEY"sv, true,
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,operand=label,defines-label| OperandKind::kLabel, true, ""sv, true,
mod|HOP,F1DFFF9FF0FF9F80FF9F80FFFFFFFFFFFF9F00FF9F00,register| true, NumberMeans::kRegister,
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF3F700F3F700,operand=word,sets-size| true, NumberMeans::kSize,
mod|HOP,F1DBFF99F0FF9980FF9980FFFFFFFFFFFF9900FF9900,sets-statistics-block| true, NumberMeans::kStatisticsBlock,
mod|HOP,F1DFFF9FF0FF9F80FF9F80FFFFFFFFFFFF9F00FF9F00,register,sets-size|fact "sets-size" says again what another fact of the row says
mod|HOP,F1DFFF9FF0FF9F80FF9F80FFFFFFFFFFFF9F00FF9F00,register=yes|fact "register=yes" takes no value
mod|HOP,F1DFFF9FF0FF9F80FF9F80FFFFFFFFFFFF9F00FF9F00,uses-statistics|no fact "uses-statistics" here
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,operand=loud|unknown operand kind "loud"
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,key-word|fact "key-word" takes a value
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,dropped|no fact "dropped" here
EOF_TABLE

# The help and the menu places of ZAP and KEY HOP, whose lines start with KEY:
# HELP|MENU|SPELLINGS|PICKS|A LINE OF THE OUTPUT, OR THE MESSAGE AFTER "$work/"
# (WORK in it stands for $work)
while IFS='|' read -r help menu spellings picks said; do
  if instructions ZAP,A7FF "KEY HOP,$hop,operand=key-label,key-word=KEY" "$help" "$menu" "$spellings" "$picks"; then
    check "help '$help', menu '$menu': output holds" "$said" "$(grep -oF -- "$said" "$work/out.cpp")"
  else
    check "help '$help', menu '$menu': message" "$work/${said//WORK/$work}" "$(cat "$work/err")"
  fi
done <<'EOF_TABLE'
ZAP\nZaps.\nKEY\nKeys.\n|-ZIP\nZAP\nKEY HOP \n@\n\n||| "\247\377"sv, false, false, true, Statistics::kNone, false, "Zaps."sv, {kMenuPlaces.data() + 0, 1}}
ZAP\nZaps.\nKEY\nKeys.\n|-ZIP\nZAP\nKEY HOP \n@\n\n|||{"-ZIP"sv, "KEY HOP "sv, 1}
ZAP\nZaps.\nKEY\nKeys.\n|-ZIP\nZAP\n@\n-ZAP\nZAP\n@\n|||{kMenuPlaces.data() + 0, 2}}
ZAP\nZaps\\x20\nx.\nKEY\nKeys.\n||||"Zaps x."sv
Z!\nZaps.\nKEY\nKeys.\n||Z!,ZAP\n||"Zaps."sv
ZAP\nZaps.\nKEY\nKeys.\n|-ZIP\nZ\n@\n||Z,ZAP\n|{"-ZIP"sv, "Z"sv, 0}
ZAP\nZaps.\nKEY\nKeys.\nZOT\nZots. (Not programmable.)\n||||{"ZOT"sv, "Zots. (Not programmable.)"sv}
ZAP\nZaps.\nKEY\nKeys.\nZ\nZaps twice.\n|||Z,ZAP\n|{"Z"sv, "Zaps twice."sv}
ZAP\nZaps.\nKEY\nKeys.\nZOP\nZops.\n||||help.txt:5: help for "ZOP", which names no instruction
ZAP\nZaps.\nKEY\nKeys.\nHOP\nHops.\n||||help.txt:5: help for "HOP", which names no instruction
ZAP\nZaps.\nKEY\nKeys.\nZAP\nZaps again.\n||||help.txt:5: a second help for ZAP, after WORK/help.txt:1
ZAP\nZaps.\nKEY\n||||help.txt:3: help key "KEY" without a description
KEY\nKeys.\n||||today.txt:1: ZAP has no help
ZAP\nZaps.\nKEY\nKeys.\n|-ZIP\nZOP\n@\n|||menu.txt:2: menu member "ZOP" names no instruction
ZAP\nZaps.\nKEY\nKeys.\n|ZAP\n@\n|||menu.txt:1: a group starts with -NAME
ZAP\nZaps.\nKEY\nKeys.\n|-ZIP\nZAP\n@\n\n-ZAP\n|||menu.txt:5: a line after the empty lines that end the list
ZAP\nZaps.\nKEY\nKeys.\n|-ZIP\nZAP\n|||menu.txt:2: the group -ZIP has no @
EOF_TABLE

# Rows before --today are the original calculator's.
printf 'ZAP,A7FF\n' > "$work/original.txt"
printf 'ZAP\nZaps.\n' > "$work/help.txt"
"$tablegen" instructions "$work/out.cpp" --fixed "$work/original.txt" --help "$work/help.txt" --byte-code "$byte_code"
check "a row before --today" '    {"ZAP"sv, "\247\377"sv, false, false, false, Statistics::kNone, false, "Zaps."sv, {}},' \
  "$(grep '^    {"ZAP' "$work/out.cpp")"

# ROWS OF THE BYTE CODE|A LINE OF THE HEADER, OR THE MESSAGE AFTER "FILE:"
while IFS='|' read -r rows said; do
  printf '%b' "$rows" > "$work/byte_code.txt"
  if "$tablegen" bytecode "$work/ByteCode.h" "$work/byte_code.txt" 2> "$work/err"; then
    check "'$rows': header holds" "$said" "$(grep -oF -- "$said" "$work/ByteCode.h")"
  else
    check "'$rows': message" "$work/byte_code.txt:$said" "$(cat "$work/err")"
  fi
done <<'EOF_TABLE'
# Digits.\ndigit-zero,10\n|// Digits.
digit-zero,10\n|inline constexpr std::uint8_t kDigitZero = 0x10;
stack-letters,"TZYXL"\n|inline constexpr std::string_view kStackLetters = "TZYXL";
digit-zero,10\nminus,1C\nnumber-byte,digit-zero..minus\n|constexpr bool IsNumberByte(std::uint8_t byte) { return byte >= kDigitZero && byte <= kMinus; }
digit-zero\n|1: no comma
digit zero,10\n|1: bad name "digit zero"
digit--zero,10\n|1: bad name "digit--zero"
Digit-zero,10\n|1: bad name "Digit-zero"
digit-zero,1\n|1: odd number of hex digits: 1
digit-zero,0a\n|1: not uppercase hex: 0a
digit-zero,1011\n|1: a byte is two hex digits: 1011
digit-zero,10\ndigit-zero,11\n|2: a second row "digit-zero"
stack-letters,"T Z"\n|1: letters only between the quotes
number-byte,digit-zero..minus\n|1: the byte code names no byte "digit-zero"
digit-zero,10\nminus,1C\nnumber-byte,minus..digit-zero\n|3: a range from a byte to a lower one
EOF_TABLE

finish tablegen
