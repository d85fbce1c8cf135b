#!/usr/bin/env bash
# The Emacs mode byte-compiles without a warning.
# usage: emacs_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/../cli/checks.sh"
command -v emacs > /dev/null || exit 77
cp "$source_dir/editors/emacs/hp42s-mode.el" "$work/"
emacs --batch -Q --eval '(setq byte-compile-error-on-warn t)' \
  -f batch-byte-compile "$work/hp42s-mode.el" > "$work/log" 2>&1
check "byte-compiles cleanly: $(cat "$work/log")" 0 $?
finish "emacs"
