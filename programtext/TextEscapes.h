#pragma once

// The characters inside a quoted text, between the calculator's codes and
// the listing's notation.

#include <optional>
#include <string>
#include <string_view>

namespace orrikey::programtext {

// Appends the listing form of a calculator character: its glyph, ASCII, or
// an escape ("[LF]", "[ESC]", "€9f").
void AppendListingChar(std::string& out, unsigned char calculatorCode);

// The calculator code of the escape or escaped character at the start of
// `text` (UTF-8), with the count of bytes it takes; nothing when `text` does
// not start with one.
struct Escape {
  unsigned char code;
  size_t length;
};
std::optional<Escape> ReadEscape(std::string_view text);

}  // namespace orrikey::programtext
