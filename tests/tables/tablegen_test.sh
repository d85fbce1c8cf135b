#!/usr/bin/env bash
# The table generator reads every fact of an instruction from its row: a
# made-up instruction gets its record from data alone, and a row it cannot
# read stops the build with the file and line.
# usage: tablegen_test.sh TABLEGEN
source "$(dirname "$0")/../cli/checks.sh" "$1" .
tablegen=$1

# KIND|ROW|WHAT THE RECORD ENDS WITH, OR THE MESSAGE AFTER "FILE:1: "
while IFS='|' read -r kind row said; do
  printf '%s\n' "$row" > "$work/today.txt"
  "$tablegen" "$kind" "$work/out.cpp" Rows --today "$work/today.txt" 2> "$work/err"
  status=$?
  if [ $status -eq 0 ]; then
    record=$(grep '^    {' "$work/out.cpp")
    check "'$row': record ends" "$said" "${record: -${#said}}"
  else
    check "'$row': message" "$work/today.txt:1: $said" "$(cat "$work/err")"
  fi
done <<'EOF_TABLE'
fixed|ZAP,A7FF| "\247\377"sv, false, false, true, Statistics::kNone, false},
fixed|ZAP,C0000D,ends-program| "\300\000\015"sv, true, false, true, Statistics::kNone, false},
fixed|ZAP,A7FF,dropped,ends-program| "\247\377"sv, true, true, true, Statistics::kNone, false},
fixed|ZAP,A7FF,uses-statistics| true, Statistics::kUses, false},
fixed|ZAP,A7FF,sets-statistics=linear| true, Statistics::kLinear, false},
fixed|ZAP,A7FF,sets-statistics=all| true, Statistics::kAll, false},
fixed|ZAP,A7FF,sets-statistics=some|unknown statistics mode "some"
fixed|ZAP,A7FF,uses-statistics,sets-statistics=all|fact "sets-statistics=all" says again what another fact of the row says
fixed|ZAP,A7FF,register|no fact "register" here
fixed|ZAP,A7FF,indirect-register| Statistics::kNone, true},
fixed|ZAP,A7FF,operand=label|no fact "operand" here
fixed|ZAP,A7FF,ends-program=yes|fact "ends-program=yes" takes no value
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,operand=program| OperandKind::kProgram, false, ""sv, true, NumberMeans::kOther},
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,operand=key-label,key-word=KEY| OperandKind::kKeyLabel, false, "KEY"sv, true, NumberMeans::kOther},
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,operand=label,defines-label| OperandKind::kLabel, true, ""sv, true, NumberMeans::kOther},
mod|HOP,F1DFFF9FF0FF9F80FF9F80FFFFFFFFFFFF9F00FF9F00,register| true, NumberMeans::kRegister},
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF3F700F3F700,operand=word,sets-size| true, NumberMeans::kSize},
mod|HOP,F1DBFF99F0FF9980FF9980FFFFFFFFFFFF9900FF9900,sets-statistics-block| true, NumberMeans::kStatisticsBlock},
mod|HOP,F1DFFF9FF0FF9F80FF9F80FFFFFFFFFFFF9F00FF9F00,register,sets-size|fact "sets-size" says again what another fact of the row says
mod|HOP,F1DFFF9FF0FF9F80FF9F80FFFFFFFFFFFF9F00FF9F00,register=yes|fact "register=yes" takes no value
mod|HOP,F1DFFF9FF0FF9F80FF9F80FFFFFFFFFFFF9F00FF9F00,uses-statistics|no fact "uses-statistics" here
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,operand=loud|unknown operand kind "loud"
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,key-word|fact "key-word" takes a value
mod|HOP,FFFFFFFFFFFFFFFFFFFFFFF1F0FFFFFFFFFFFFFFFFFF,dropped|no fact "dropped" here
EOF_TABLE

# Rows before --today are the original calculator's.
printf 'ZAP,A7FF\n' > "$work/original.txt"
"$tablegen" fixed "$work/out.cpp" Rows "$work/original.txt"
check "a row before --today" '    {"ZAP"sv, "\247\377"sv, false, false, false, Statistics::kNone, false},' "$(grep '^    {' "$work/out.cpp")"

finish tablegen
