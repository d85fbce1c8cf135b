#!/usr/bin/env bash
# Neovim with the Vim files opens a raw file of the corpus as program text
# and writes it back through orrikey-cli: exactly the bytes that encode
# makes of the text, and nothing at all while a line does not convert;
# :read of a raw file inserts its text.
# usage: nvim_raw_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/../cli/checks.sh"
command -v nvim > /dev/null || exit 77
corpus=$source_dir/../shared/corpus/raw
[ -d "$corpus" ] || exit 77
cp "$corpus/$(ls "$corpus" | head -n 1)" "$work/p.raw"
cp "$work/p.raw" "$work/before.raw"
export PATH=$(dirname "$cli"):$PATH

# edit LINE TEXT: opens p.raw, puts TEXT on line LINE, writes, and leaves
# the buffer's text in text.42S and, in result, whether it is still
# modified and what the write said.
edit() {
  nvim --headless --clean -i NONE --cmd "set rtp^=$source_dir/editors/vim" \
    -c "edit $work/p.raw" -c "call setline($1, '$2')" \
    -c "let said = execute('write')" \
    -c "call writefile(getline(1, '\$'), '$work/text.42S')" \
    -c "call writefile([&modified, &filetype, said], '$work/result')" -c 'qall!' > /dev/null 2>&1
}

edit 2 'CLX'
"$cli" encode "$work/text.42S" -o "$work/expected.raw" > /dev/null 2>&1
check "the edited line is in the text" CLX "$(sed -n 2p "$work/text.42S")"
check "the file holds what encode makes of the text" same \
  "$(cmp -s "$work/p.raw" "$work/expected.raw" && echo same || echo differs)"
check "the file changed" differs "$(cmp -s "$work/p.raw" "$work/before.raw" && echo same || echo differs)"
check "a good write leaves the buffer unmodified, as hp42s" "0 hp42s" "$(head -n 2 "$work/result" | tr '\n' ' ' | sed 's/ $//')"

cp "$work/p.raw" "$work/before.raw"
edit 3 'FOO 12'
check "a failing line leaves the file as it was" same \
  "$(cmp -s "$work/p.raw" "$work/before.raw" && echo same || echo differs)"
check "a failing line keeps the buffer modified" 1 "$(head -n 1 "$work/result")"
check "the write names the failing line" 1 "$(grep -c 'Line: 3 ------ err opcode' "$work/result")"

# :read of a raw file puts its program text where :read puts lines.
printf 'CLX\nSIN\n' > "$work/small.42S"
"$cli" encode "$work/small.42S" -o "$work/small.raw" > /dev/null 2>&1
printf 'one\ntwo\n' > "$work/text.txt"
: > "$work/empty.raw"
while IFS='|' read -r command expected; do
  nvim --headless --clean -i NONE --cmd "set rtp^=$source_dir/editors/vim" \
    -c "edit $work/text.txt" -c "$command" -c "call writefile(getline(1, '\$'), '$work/read')" \
    -c 'qall!' > /dev/null 2>&1
  check "$command" "$expected" "$(tr '\n' ' ' < "$work/read" | sed 's/ $//')"
done <<EOF_TABLE
0r $work/small.raw|CLX SIN one two
1r $work/small.raw|one CLX SIN two
\$r $work/small.raw|one two CLX SIN
1r $work/empty.raw|one two
EOF_TABLE

finish "nvim raw"
