#include "programtext/TextEscapes.h"

#include "tables/Tables.h"
#include "text/CodePage.h"
#include "text/Hex.h"

#include <utility>

namespace orrikey::programtext {
namespace {

constexpr unsigned char kLineFeed = 10;
constexpr unsigned char kEscape = 27;
constexpr unsigned char kMicro = 17;
constexpr unsigned char kUpArrow = 0x5E;
constexpr unsigned char kAppend = 0x7F;
constexpr unsigned char kSmallY = 0x81;

}  // namespace

// Code 0x80, which the calculator lists as ":", is escaped here like the
// other high codes, and so is the quote mark, so that the listing reads back
// to the same bytes whatever a text holds.
void AppendListingChar(std::string& out, unsigned char code) {
  if (code == kLineFeed) {
    out += "[LF]";
  } else if (code == kEscape) {
    out += "[ESC]";
  } else if (code == kMicro) {
    out += "μ";  // the Greek letter, where the display codes have the micro sign
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

std::optional<Escape> ReadEscape(std::string_view text) {
  constexpr std::string_view kEuro = "€";
  if (text.starts_with("[LF]")) return Escape{kLineFeed, 4};
  if (text.starts_with("[ESC]")) return Escape{kEscape, 5};
  if (text.starts_with(kEuro) && text.size() >= kEuro.size() + 2) {
    const int high = text::HexDigitValue(text[kEuro.size()]),
              low = text::HexDigitValue(text[kEuro.size() + 1]);
    if (high >= 0 && low >= 0) return Escape{static_cast<unsigned char>(high * 16 + low), kEuro.size() + 2};
  }
  constexpr std::pair<std::string_view, unsigned char> kGlyphs[] = {
      {"↑", kUpArrow}, {"├", kAppend}, {"ʏ", kSmallY}};
  for (const auto& [glyph, code] : kGlyphs)
    if (text.starts_with(glyph)) return Escape{code, glyph.size()};
  return std::nullopt;
}

}  // namespace orrikey::programtext
