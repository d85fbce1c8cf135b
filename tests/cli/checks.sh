# Shared by the orrikey-cli tests: sourced with the command's arguments
# ORRIKEY_CLI SOURCE_DIR. Gives $cli, $source_dir, a scratch folder $work
# removed on exit, and check(); finish NAME ends the test.
set -u
cli=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() {  # check DESCRIPTION EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"
    echo "  expected: $(printf '%q' "$2")"
    echo "  actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}

finish() {
  [ "$failures" -eq 0 ] && echo "$1: all checks passed"
  exit $((failures > 0))
}
