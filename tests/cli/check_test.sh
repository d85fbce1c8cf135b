#!/usr/bin/env bash
# orrikey-cli check and programs: messages editors and CI read, and status.
# usage: check_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/checks.sh"

printf 'LBL "A"\nGTO 01\nXEQ "LIB"\nEND\nLBL 01\nFOO\n' > "$work/p.42S"
expect "a missing local label warns, a missing global one is a note, a bad line an error" 1 \
  "$work/p.42S:2: warning: no label 01 in this program (Label Not Found when it runs)
$work/p.42S:3: note: no global label \"LIB\" in this file; another program may hold it
$work/p.42S:6: error: ------ err opcode" "" check "$work/p.42S"
printf 'LBL "Σ"\nXEQ "Σ"\nXEQ "LIB"\n' > "$work/ok.42S"
expect "notes alone leave the status clean" 0 \
  "$work/ok.42S:3: note: no global label \"LIB\" in this file; another program may hold it" "" \
  check "$work/ok.42S"
expect "a missing file is named as encode names it" 2 "" \
  "orrikey-cli: Cannot open file \"$work/none.42S\". No such file or directory" check "$work/none.42S"
expect "programs lists sizes, steps and labels" 0 'Program 1, lines 1-3: { 13-Byte Prgm }, 3 steps
  1 LBL "Σ"' "" programs "$work/ok.42S"

finish "cli check"
