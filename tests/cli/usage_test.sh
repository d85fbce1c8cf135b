#!/usr/bin/env bash
# orrikey-cli's commands as the dispatcher finds them: usage errors name the
# first wrong argument, then show the usage; --help and --version.
# usage: usage_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/checks.sh"

# STATUS|FIRST LINE OF STANDARD ERROR|USAGE FOLLOWS|ARGUMENTS
while IFS='|' read -r status said usage args; do
  "$cli" $args < /dev/null > "$work/out" 2> "$work/err"
  check "'$args': exit status" "$status" $?
  check "'$args': says" "orrikey-cli: $said" "$(head -n 1 "$work/err")"
  check "'$args': usage follows" "$usage" "$(sed -n 2p "$work/err" | grep -c '^usage: orrikey-cli ')"
  check "'$args': nothing on standard output" "" "$(cat "$work/out")"
done <<'EOF_TABLE'
2|no command given|1|
2|unknown command 'frob'|1|frob
2|encode needs a file|1|encode
2|decode needs a file or hex text|1|decode
2|check needs a file|1|check
2|check needs a file|1|check --target hp42s
2|unknown target 'hp41' (hp42s or today)|1|check --target hp41 a
2|--target needs a value|1|check a --target
2|check writes no file: -o is not one of its options|1|check a -o b
2|programs takes one file|1|programs
2|programs takes one file|1|programs a b
2|--hex needs a value|1|decode --hex
2|-o needs a value|1|decode a -o
2|unknown format 'bogus' (text, listing, 8bit or hex)|1|decode --format bogus -o a -o b
2|-o given twice|1|decode -o a -o b --format bogus
2|--hex takes one hex text and no files|1|decode --hex 77 a
2|Cannot open file "--hex". No such file or directory|0|encode --hex 77
EOF_TABLE

for help in --help -h; do
  "$cli" $help > "$work/out" 2> "$work/err"
  check "$help: exit status" 0 $?
  check "$help: starts with the usage" "usage: orrikey-cli encode FILE... [-o OUT]" "$(head -n 1 "$work/out")"
  check "$help: the ASCII spellings are listed" 1 "$(grep -c '^ *->  *→' "$work/out")"
  check "$help: nothing on standard error" "" "$(cat "$work/err")"
done
check "--version" 1 "$("$cli" --version | grep -cE '^orrikey-cli [0-9]+\.[0-9]+\.[0-9]+$')"

finish "cli usage"
