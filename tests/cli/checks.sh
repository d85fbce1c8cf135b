# Shared by the orrikey-cli tests: sourced with the command's arguments
# ORRIKEY_CLI SOURCE_DIR. Gives $cli, $source_dir, a scratch folder $work
# removed on exit, check() and expect(); finish NAME ends the test.
set -u
cli=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The journal of pending writes goes to the scratch folder, not the user's.
export XDG_STATE_HOME=$work/state
failures=0

check() {  # check DESCRIPTION EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"
    echo "  expected: $(printf '%q' "$2")"
    echo "  actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}

# expect DESCRIPTION STATUS STDOUT STDERR ARGUMENTS...: runs the command with
# the arguments, standard input empty, and checks all it gives back.
expect() {
  local what=$1 status=$2 out=$3 err=$4
  shift 4
  "$cli" "$@" < /dev/null > "$work/out" 2> "$work/err"
  check "$what: exit status" "$status" $?
  check "$what: standard output" "$out" "$(cat "$work/out")"
  check "$what: standard error" "$err" "$(cat "$work/err")"
}

absent() { [ -e "$1" ] && echo "$1 is there" || echo absent; }

finish() {
  [ "$failures" -eq 0 ] && echo "$1: all checks passed"
  exit $((failures > 0))
}
