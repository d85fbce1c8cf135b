#include "text/CodePage.h"

#include "tables/Tables.h"
#include "text/Utf8.h"

#include <array>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace orrikey::text {
namespace {

// The calculator's characters 0 to 31 as the calculator draws them. Codes 4
// and 30 are both a grey block there; code 30 gets a lighter block so that
// every display code keeps a character of its own.
constexpr char32_t kCalculatorGlyphs[32] = {U'÷', U'×', U'√', U'∫', U'▒', U'Σ', U'▸', U'π', U'¿', U'≤', U'␊',
                                            U'≥', U'≠', U'↵', U'↓', U'→', U'←', U'µ', U'£', U'°', U'Å', U'Ñ',
                                            U'Ä', U'∡', U'ᴇ', U'Æ', U'…', U'␛', U'Ö', U'Ü', U'░', U'•'};

constexpr unsigned char kAppendCode = 0x9F;
constexpr char32_t kAppendGlyph = U'├';

constexpr char32_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Characters that would pass for a glyph (the middle dot for the bullet, the
// ordinal o for the degree sign, the modifier circumflex for "^") or for the
// quote mark that delimits texts.
bool LooksLikeGlyph(char32_t c) { return c == U'·' || c == U'º' || c == U'ˆ' || c == U'”'; }

constexpr char32_t kBrailleCells = 0x2800;

// Listings and program text are written a character per display code, so
// the UTF-8 and the calculator code of every display code are looked up, not
// worked out.
struct CodePage {
  std::array<char32_t, 256> chars{};
  std::unordered_map<char32_t, unsigned char> codes;
  std::array<std::string, 256> utf8;
  std::array<unsigned char, 256> calculatorCodes{};
};

CodePage BuildCodePage() {
  CodePage page;
  std::array<bool, 256> isGlyph{};
  const std::array<unsigned char, 32>& charMap = tables::CharMap();
  for (size_t code = 0; code < charMap.size(); ++code) {
    isGlyph[charMap[code]] = true;
    page.chars[charMap[code]] = kCalculatorGlyphs[code];
  }
  isGlyph[kAppendCode] = true;
  page.chars[kAppendCode] = kAppendGlyph;

  const std::u32string_view glyphs(kCalculatorGlyphs, 32);
  // A byte whose Windows-1252 character is undefined, is a glyph or looks
  // like one shows as the braille cell of its bit pattern, which no glyph
  // resembles.
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (isGlyph[byte]) continue;
    const char32_t c = Windows1252Char(static_cast<unsigned char>(byte));
    const bool undefined = c >= 0x80 && c < 0xA0;
    const bool taken = glyphs.find(c) != std::u32string_view::npos;
    page.chars[byte] = undefined || taken || LooksLikeGlyph(c) ? kBrailleCells + byte : c;
  }

  for (unsigned byte = 0; byte < 256; ++byte) {
    if (!page.codes.emplace(page.chars[byte], static_cast<unsigned char>(byte)).second)
      throw std::logic_error("two display codes share a character");
    AppendUtf8(page.utf8[byte], page.chars[byte]);
    page.calculatorCodes[byte] = static_cast<unsigned char>(byte);
  }
  for (size_t code = charMap.size(); code-- > 0;)  // the first code of a display code wins
    page.calculatorCodes[charMap[code]] = static_cast<unsigned char>(code);
  return page;
}

const CodePage& Page() {
  static const CodePage page = BuildCodePage();
  return page;
}

}  // namespace

char32_t Windows1252Char(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

char32_t DisplayCodeChar(unsigned char code) { return Page().chars[code]; }

std::string_view DisplayCodeUtf8(unsigned char code) { return Page().utf8[code]; }

void AppendDisplayCodesUtf8(std::string& out, std::string_view codes) {
  const std::array<std::string, 256>& utf8 = Page().utf8;
  for (unsigned char code : codes) {
    const std::string& c = utf8[code];
    if (c.size() == 1) out.push_back(c[0]);  // most characters are ASCII
    else out.append(c);
  }
}

std::string DisplayCodesUtf8(std::string_view codes) {
  std::string out;
  AppendDisplayCodesUtf8(out, codes);
  return out;
}

std::optional<unsigned char> DisplayCodeOf(char32_t c) {
  if (c < 0x80) return static_cast<unsigned char>(c);
  const auto found = Page().codes.find(c);
  if (found == Page().codes.end()) return std::nullopt;
  return found->second;
}

unsigned char CalculatorCode(unsigned char displayCode) { return Page().calculatorCodes[displayCode]; }

std::optional<unsigned char> TypedDisplayCode(char32_t c) {
  if (auto code = DisplayCodeOf(c)) return code;
  switch (c) {
    case U'↑': return '^';
    case U'μ': return tables::CharMap()[17];
    default: return std::nullopt;
  }
}

}  // namespace orrikey::text
