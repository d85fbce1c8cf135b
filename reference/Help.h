#pragma once

// The help line shown for a program line.

#include <optional>
#include <string>
#include <string_view>

namespace orrikey::reference {

// The word is the text before the first blank (byte 0x20) of the line, or the
// whole line without one; nothing is trimmed and tabs do not end the word.
// It is compared byte for byte with every line of the help table, key and
// description lines alike, and the line after the first equal one is the
// help, with the rows it runs on into when it ends in a blank. A word equal
// to no line finds the help of its other spelling, when it has one (RDX and
// RDX,, DATE_PLUS and DATE+, x and the times sign). Nothing when no line is
// equal (an empty word included).
std::optional<std::string> HelpFor(std::string_view line);

}  // namespace orrikey::reference
