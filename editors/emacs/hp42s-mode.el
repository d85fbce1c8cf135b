;;; hp42s-mode.el --- HP-42S calculator programs  -*- lexical-binding: t; -*-

;; Author: Orrikey developers
;; Keywords: languages
;; Package-Requires: ((emacs "26.1"))

;;; Commentary:

;; Program text (.42S) and listings of the HP-42S calculator: one
;; instruction per line, its operands, texts in double quotes, and comments
;; after "@" (in listings also ";", "//", and lines starting with "#").
;; Every first word counts as an instruction: which names the calculator
;; knows is for `orrikey-cli lsp' to say, which eglot starts:
;;
;;   (add-hook 'hp42s-mode-hook #'eglot-ensure)

;;; Code:

(defvar hp42s-mode-syntax-table
  (let ((table (make-syntax-table)))
    (modify-syntax-entry ?@ "<" table)
    (modify-syntax-entry ?\; "<" table)
    (modify-syntax-entry ?/ ". 12" table)
    (modify-syntax-entry ?\n ">" table)
    (modify-syntax-entry ?\" "\"" table)
    ;; Texts have no escapes.
    (modify-syntax-entry ?\\ "." table)
    (modify-syntax-entry ?' "." table)
    table)
  "Syntax table of `hp42s-mode'.")

(defun hp42s--closing-quote (open eol)
  "Where the text whose quote is at OPEN closes, on a line ending at EOL.
A text runs to the first later quote that only blanks and a comment or
the line's end follow, else to the line's last quote, so texts may hold
quotes.  Nil when the line has no later quote."
  (save-excursion
    (goto-char (1+ open))
    (if (re-search-forward "\"[ \t]*\\(?:[@;]\\|//\\|$\\)" eol t)
        (match-beginning 0)
      (goto-char eol)
      (and (search-backward "\"" (1+ open) t) (point)))))

(defun hp42s-syntax-propertize (start end)
  "Mark the texts and comment lines of the lines from START to END.
Quotes inside a text, and an opening quote that none closes, are plain
characters; a line whose first character is \"#\" is a comment."
  (goto-char start)
  (while (< (point) end)
    (let ((eol (line-end-position)))
      (skip-chars-forward " \t" eol)
      (if (eq (char-after) ?#)
          (put-text-property (point) (1+ (point)) 'syntax-table (string-to-syntax "<"))
        (when (and (re-search-forward "[\"@;]\\|//" eol t) (eq (char-before) ?\"))
          (let* ((open (1- (point)))
                 (close (or (hp42s--closing-quote open eol) (1+ open))))
            (while (search-forward "\"" close t)
              (put-text-property (1- (point)) (point) 'syntax-table (string-to-syntax ".")))
            (when (= close (1+ open))
              (put-text-property open close 'syntax-table (string-to-syntax "."))))))
      (forward-line 1))))

(defconst hp42s--line-start "^[ \t]*\\(?:[0-9]+\\(?:▸\\|[ \t]+\\)\\)?▸?"
  "What may stand before a line's instruction: a listing's step number and ▸.")

(defconst hp42s-font-lock-keywords
  `(("^[ \t]*00 {[ \t]*[0-9]+-Byte Prgm[ \t]*}" . font-lock-preprocessor-face)
    ("^Error in Hex Code$" . font-lock-warning-face)
    ("^[ \t]*\\([0-9]+\\)\\(?:▸\\|[ \t]+[^ \t\n@;]\\)" 1 'shadow)
    ("▸" . font-lock-function-name-face)
    (,(concat hp42s--line-start
              "\\(-?\\(?:[0-9]+\\(?:[.,][0-9]*\\)?\\|[.,][0-9]+\\)\\(?:[ᴇEe][-+]?[0-9]+\\)?\\)"
              "[ \t]*\\(?:[@;]\\|//\\|$\\)")
     1 font-lock-constant-face)
    (,(concat hp42s--line-start "\\(LBL[ \t]+\\(?:\"[^\"\n]*\"\\|[0-9]+\\|[A-Ja-e]\\_>\\)\\)")
     1 font-lock-function-name-face t)
    (,(concat hp42s--line-start "\\([^ \t\n\"@;▸]+\\)") 1 font-lock-keyword-face)
    ("\\_<IND\\_>" . font-lock-builtin-face)
    ("\\_<ST[ \t]+[XYZTL]\\_>" . font-lock-variable-name-face)
    ("[ \t]\\(TO\\|GTO\\|XEQ\\)[ \t]" 1 font-lock-keyword-face)
    ("\\(?:GTO\\|XEQ\\)[ \t]+\\([A-Ja-e]\\)\\_>" 1 font-lock-function-name-face)
    ("[ \t]\\(-?[0-9]+\\)\\_>" 1 font-lock-constant-face))
  "What `hp42s-mode' highlights besides texts and comments.")

;;;###autoload
(define-derived-mode hp42s-mode prog-mode "HP-42S"
  "Major mode for HP-42S program text and listings."
  :syntax-table hp42s-mode-syntax-table
  (setq-local comment-start "@")
  (setq-local comment-start-skip "@+[ \t]*")
  (setq-local comment-end "")
  (setq-local syntax-propertize-function #'hp42s-syntax-propertize)
  (setq-local font-lock-defaults '(hp42s-font-lock-keywords)))

;;;###autoload
(add-to-list 'auto-mode-alist '("\\.\\(?:42[Ss]\\|hp42s\\|free42\\)\\'" . hp42s-mode))

(defvar eglot-server-programs)
;;;###autoload
(with-eval-after-load 'eglot
  (add-to-list 'eglot-server-programs '(hp42s-mode "orrikey-cli" "lsp")))

(provide 'hp42s-mode)
;;; hp42s-mode.el ends here
