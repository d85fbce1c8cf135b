#pragma once

// The symbol scanner: where a program stores into numbered registers and named
// variables, declares menu variables and defines labels.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::reference {

// The kinds of symbol to look for, one per check box of the scanner page.
struct ScanKinds {
  bool registers = false;
  bool variables = false;
  bool menuVariables = false;
  bool labels = false;
};

// One entry per find, such as "Reg  05\t\t Line 012" or "Lbl \"AB\"\t Line 003".
// Entries come in program order; within a line: register, variable, menu
// variable, then local, numbered and named label. The caller sorts them for
// display (case-insensitively, in the user's locale).
std::vector<std::string> ScanSymbols(const std::vector<std::string>& lines, ScanKinds kinds);

// The one-based line number n as an entry shows it: at least three digits.
std::string LineNumberText(size_t n);

// Where a double-click on an entry's line number takes the program text.
struct JumpTarget {
  enum class Kind {
    Line,       // select the whole line `line` (zero-based), without its break
    TextStart,  // the number is below 1: caret at the start, nothing selected
    TextEnd,    // the number is past the last line: caret at the end, nothing selected
  };
  Kind kind;
  size_t line = 0;
};

// The selected text is trimmed of blanks and control characters at both
// ends; nothing unless the rest is a whole number (an optional sign and
// decimal digits) of at least three characters, which a register or label
// number of an entry never is.
std::optional<JumpTarget> JumpTargetFor(std::string_view selection, size_t lineCount);

}  // namespace orrikey::reference
