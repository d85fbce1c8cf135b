#!/usr/bin/env bash
# The Emacs mode: it byte-compiles without a warning, and gives the face
# expected at a place in a line, for a table of lines.
# usage: emacs_test.sh ORRIKEY_CLI SOURCE_DIR
source "$(dirname "$0")/../cli/checks.sh"
command -v emacs > /dev/null || exit 77
cp "$source_dir/editors/emacs/hp42s-mode.el" "$work/"
emacs --batch -Q --eval '(setq byte-compile-error-on-warn t)' \
  -f batch-byte-compile "$work/hp42s-mode.el" > "$work/log" 2>&1
status=$?
check "byte-compiles cleanly: $(cat "$work/log")" 0 $status

# The face, the text whose first character is looked at, and the line.
cat > "$work/rows" <<'EOF_TABLE'
font-lock-keyword-face	STO	STO 05
font-lock-constant-face	05	STO 05
font-lock-keyword-face	1/X	1/X
font-lock-string-face	AB	├"AB"
font-lock-builtin-face	IND	RCL IND ST X
font-lock-variable-name-face	ST	RCL IND ST X
font-lock-function-name-face	"	LBL "A"
font-lock-function-name-face	A	GTO A
font-lock-constant-face	-	-2.5e-7
font-lock-constant-face	1ᴇ3	1ᴇ3
font-lock-string-face	@	"A@B"
font-lock-string-face	hi	"say "hi" now"
font-lock-comment-face	a text	"say "hi" now" @ a text with quotes
font-lock-comment-face	"X"	STO 05 @ the "X" register
font-lock-comment-face	clear	CLX ; clear x
font-lock-comment-face	a listing	# a listing's note
font-lock-preprocessor-face	{	00 { 9-Byte Prgm }
shadow	01	01▸LBL "A"
font-lock-keyword-face	CLX	02 CLX
font-lock-constant-face	12	12 @ a number, not a step
EOF_TABLE
cat > "$work/check.el" <<'EOF_LISP'
(require 'hp42s-mode)
(let ((failures 0))
  (dolist (row (split-string (with-temp-buffer
                               (insert-file-contents (getenv "ROWS"))
                               (buffer-string))
                             "\n" t))
    (pcase-let ((`(,expected ,needle ,line) (split-string row "\t")))
      (with-temp-buffer
        (insert line "\n")
        (hp42s-mode)
        (font-lock-ensure)
        (goto-char (point-min))
        (search-forward needle)
        (let* ((face (get-text-property (match-beginning 0) 'face))
               (faces (if (listp face) face (list face))))
          (unless (memq (intern expected) faces)
            (setq failures (1+ failures))
            (princ (format "FAIL: %s: expected %s at \"%s\", got %S\n" line expected needle face)))))))
  (kill-emacs (if (> failures 0) 1 0)))
EOF_LISP
ROWS="$work/rows" emacs --batch -Q -L "$work" -l "$work/check.el" > "$work/log" 2>&1
status=$?
check "faces at places: $(cat "$work/log")" 0 $status
finish "emacs"
