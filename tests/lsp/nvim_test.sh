#!/usr/bin/env bash
# The language server under a real client: Neovim's own, headless, with no
# user configuration. Skipped (77) where Neovim is not installed.
# usage: nvim_test.sh ORRIKEY_CLI SOURCE_DIR
set -u
command -v nvim > /dev/null || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for dir in config data state cache; do mkdir -p "$work/$dir"; done
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state XDG_CACHE_HOME=$work/cache
printf '%s\n' 'LBL "÷Σ"' '▸LBL 01' 'GTO 01' 'FOO' 'STO÷ ST X' 'XEQ "÷Σ"' 'END' > "$work/program.42S"
ORRIKEY_CLI=$1 ORRIKEY_PROGRAM=$work/program.42S ORRIKEY_LOG=$work/lsp.log \
  timeout 120 nvim --headless --clean -u NONE -i NONE -n -c "luafile $2/tests/lsp/nvim_test.lua"
status=$?
[ $status -eq 0 ] || cat "$work/lsp.log" >&2
exit $status
