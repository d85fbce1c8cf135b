#pragma once

// The characters of a quoted text in program text. Every display code with a
// glyph stands for its calculator code, as everywhere, but some codes share a
// display code with a glyph, and those are spelled as the listings spell
// them: "€" and two hex digits for any code, "[LF]" and "[ESC]", and "├" for
// code 0x7F, which the calculator shows so. Program text and listings then
// spell every text alike, and every code reads back as itself.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orrikey::text {

// The calculator code that one display code stands for inside quotes.
unsigned char QuotedCode(unsigned char displayCode);

// The calculator character at the start of a quoted text's display codes
// (not empty), and how many display codes spell it.
struct QuotedChar {
  unsigned char code;
  std::size_t length;
};
QuotedChar ReadQuotedChar(std::string_view displayCodes);

// Writes the display codes that spell the calculator characters inside
// quotes, into room of QuotedRoom(characters) bytes; gives the end.
constexpr std::size_t QuotedRoom(std::size_t characters) { return 3 * characters; }
char* WriteQuotedChars(char* at, std::span<const std::uint8_t> characters);

}  // namespace orrikey::text
