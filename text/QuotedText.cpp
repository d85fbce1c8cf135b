#include "text/QuotedText.h"

#include "tables/Tables.h"
#include "text/CodePage.h"
#include "text/Hex.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace orrikey::text {
namespace {

constexpr unsigned char kEscapeMark = 0x80;  // the display code of "€"
constexpr unsigned char kAppendSign = 0x9F;  // the display code of "├"
constexpr unsigned char kAppendCode = 0x7F;
constexpr unsigned char kLineFeed = 10;
constexpr unsigned char kEscape = 27;

struct Spelling {
  std::array<char, 3> bytes;
  unsigned char size;
};

constexpr Spelling Escaped(unsigned char code) {
  return {{static_cast<char>(kEscapeMark), "0123456789abcdef"[code >> 4], "0123456789abcdef"[code & 0xF]}, 3};
}

// A code whose own byte is a glyph's display code, or the escape mark
// itself, is escaped; every other code has one display code that reads
// back as it.
std::array<Spelling, 256> BuildSpellings() {
  std::array<Spelling, 256> s{};
  for (unsigned code = 0; code < 256; ++code) s[code] = {{static_cast<char>(code)}, 1};
  const std::array<unsigned char, 32>& map = tables::CharMap();
  for (unsigned char glyph : map) s[glyph] = Escaped(glyph);
  for (unsigned code = 0; code < map.size(); ++code) s[code] = {{static_cast<char>(map[code])}, 1};
  s[kEscapeMark] = Escaped(kEscapeMark);
  s[kAppendSign] = Escaped(kAppendSign);
  s[kAppendCode] = {{static_cast<char>(kAppendSign)}, 1};
  return s;
}

// Built apart, so that a text pays only the guard's test.
const std::array<Spelling, 256>& Spellings() {
  static const std::array<Spelling, 256> spellings = BuildSpellings();
  return spellings;
}

// A "[" before these would read back as "[LF]" or "[ESC]".
bool ClosesEscapeWord(std::span<const std::uint8_t> after) {
  constexpr std::string_view kWords[] = {"LF]", "ESC]"};
  return std::any_of(std::begin(kWords), std::end(kWords), [after](std::string_view word) {
    return after.size() >= word.size() && std::equal(word.begin(), word.end(), after.begin());
  });
}

}  // namespace

unsigned char QuotedCode(unsigned char displayCode) {
  return displayCode == kAppendSign ? kAppendCode : CalculatorCode(displayCode);
}

QuotedChar ReadQuotedChar(std::string_view codes) {
  const auto first = static_cast<unsigned char>(codes[0]);
  if (first == kEscapeMark && codes.size() >= 3) {
    const int high = HexDigitValue(codes[1]), low = HexDigitValue(codes[2]);
    if (high >= 0 && low >= 0) return {static_cast<unsigned char>(high * 16 + low), 3};
  }
  if (first == '[') {
    if (codes.starts_with("[LF]")) return {kLineFeed, 4};
    if (codes.starts_with("[ESC]")) return {kEscape, 5};
  }
  return {QuotedCode(first), 1};
}

// Every spelling is stored whole and only its length moves on, so that
// writing a character costs no branch but the rare bracket's.
char* WriteQuotedChars(char* at, std::span<const std::uint8_t> characters) {
  const std::array<Spelling, 256>& spellings = Spellings();
  constexpr Spelling kBracket = Escaped('[');
  for (size_t i = 0; i < characters.size(); ++i) {
    const std::uint8_t c = characters[i];
    const Spelling& spelling =
        c == '[' && ClosesEscapeWord(characters.subspan(i + 1)) ? kBracket : spellings[c];
    std::memcpy(at, spelling.bytes.data(), spelling.bytes.size());
    at += spelling.size;
  }
  return at;
}

}  // namespace orrikey::text
