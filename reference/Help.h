#pragma once

// The help line shown for a program line.

#include <optional>
#include <string>
#include <string_view>

namespace orrikey::reference {

// The word is the text before the first blank (byte 0x20) of the line, or the
// whole line without one; nothing is trimmed and tabs do not end the word.
// The help is that of the first instruction whose name starts with the word
// as a whole word, byte for byte (KEY for KEY GTO), or whose calculator
// spelling the word is (RDX, for RDX, DATE+ for DATE_PLUS, the times sign for
// x); else that of a key that is no instruction (BST, R/S). Nothing when no
// help has the word (an empty word included).
std::optional<std::string> HelpFor(std::string_view line);

}  // namespace orrikey::reference
