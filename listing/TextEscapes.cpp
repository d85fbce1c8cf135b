#include "listing/TextEscapes.h"

#include "tables/Tables.h"
#include "text/CodePage.h"

#include <algorithm>

namespace orrikey::listing {
namespace {

constexpr unsigned char kLineFeed = 10;
constexpr unsigned char kEscape = 27;
constexpr unsigned char kUpArrow = 0x5E;
constexpr unsigned char kAppend = 0x7F;
constexpr unsigned char kSmallY = 0x81;

int HexValue(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a' + 10);
  if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A' + 10);
  return -1;
}

}  // namespace

std::optional<unsigned char> DisplayCode(unsigned char calculatorCode) {
  const auto& map = tables::CharMap();
  if (calculatorCode < map.size()) return map[calculatorCode];
  if (std::find(map.begin(), map.end(), calculatorCode) != map.end()) return std::nullopt;
  return calculatorCode;
}

// Code 0x80, which the calculator lists as ":", is escaped here like the
// other high codes, and so is the quote mark, so that the listing reads back
// to the same bytes whatever a text holds.
void AppendListingChar(std::string& out, unsigned char code) {
  if (code == kLineFeed) {
    out += "[LF]";
  } else if (code == kEscape) {
    out += "[ESC]";
  } else if (code < 32) {
    out += text::DisplayCodeUtf8(tables::CharMap()[code]);
  } else if (code == kUpArrow) {
    out += "↑";
  } else if (code == kAppend) {
    out += "├";
  } else if (code == kSmallY) {
    out += "ʏ";
  } else if (code < 0x80 && code != '"') {
    out += static_cast<char>(code);
  } else {
    out += "€";
    out += "0123456789abcdef"[code >> 4];
    out += "0123456789abcdef"[code & 0xF];
  }
}

std::optional<Escape> ReadEscape(std::u32string_view text) {
  if (text.starts_with(U"[LF]")) return Escape{kLineFeed, 4};
  if (text.starts_with(U"[ESC]")) return Escape{kEscape, 5};
  if (text.size() >= 3 && text[0] == U'€' && HexValue(text[1]) >= 0 && HexValue(text[2]) >= 0)
    return Escape{static_cast<unsigned char>(HexValue(text[1]) * 16 + HexValue(text[2])), 3};
  if (text.empty()) return std::nullopt;
  switch (text[0]) {
    case U'↑': return Escape{kUpArrow, 1};
    case U'├': return Escape{kAppend, 1};
    case U'ʏ': return Escape{kSmallY, 1};
    default: return std::nullopt;
  }
}

}  // namespace orrikey::listing
