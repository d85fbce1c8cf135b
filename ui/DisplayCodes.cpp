#include "ui/DisplayCodes.h"

#include "tables/Tables.h"

#include <QHash>
#include <QStringList>

#include <array>
#include <optional>
#include <stdexcept>

namespace orrikey {
namespace {

// The calculator's characters 0 to 31 as the calculator draws them. Codes 4
// and 30 are both a grey block there; code 30 gets a lighter block so that
// every display code keeps a character of its own.
constexpr char16_t kCalculatorGlyphs[32] = {
    u'÷', u'×', u'√', u'∫', u'▒', u'Σ', u'▸', u'π', u'¿', u'≤', u'␊', u'≥', u'≠', u'↵', u'↓', u'→',
    u'←', u'µ', u'£', u'°', u'Å', u'Ñ', u'Ä', u'∡', u'ᴇ', u'Æ', u'…', u'␛', u'Ö', u'Ü', u'░', u'•'};

constexpr unsigned char kAppendCode = 0x9F;
constexpr char16_t kAppendGlyph = u'├';

// Windows-1252 at 0x80 to 0x9F; its five undefined codes keep their C1 control.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Windows1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

// Characters that would pass for a glyph (the middle dot for the bullet, the
// ordinal o for the degree sign, the modifier circumflex for "^") or for the
// quote mark that delimits texts.
bool LooksLikeGlyph(char16_t c) { return c == u'·' || c == u'º' || c == u'ˆ' || c == u'”'; }

constexpr char16_t kBrailleCells = 0x2800;

struct CodePage {
  std::array<char16_t, 256> chars{};
  QHash<char16_t, unsigned char> codes;
};

CodePage BuildCodePage() {
  CodePage page;
  std::array<bool, 256> isGlyph{};
  const std::array<unsigned char, 32> charMap = tables::CharMap();
  // Codes 4 and 20 share a display code, which shows code 4.
  for (size_t code = 0; code < charMap.size(); ++code) {
    if (isGlyph[charMap[code]]) continue;
    isGlyph[charMap[code]] = true;
    page.chars[charMap[code]] = kCalculatorGlyphs[code];
  }
  isGlyph[kAppendCode] = true;
  page.chars[kAppendCode] = kAppendGlyph;

  const std::u16string_view glyphs(kCalculatorGlyphs, 32);
  // The other bytes above 0x7F show as Windows-1252, the single-byte text of
  // the platform the program files come from, unless that character is
  // undefined, is a glyph or looks like one: such a byte shows as the braille
  // cell of its bit pattern, which no glyph resembles.
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (isGlyph[byte]) continue;
    const char16_t c = Windows1252(static_cast<unsigned char>(byte));
    const bool undefined = c >= 0x80 && c < 0xA0;
    const bool taken = glyphs.find(c) != std::u16string_view::npos;
    page.chars[byte] = undefined || taken || LooksLikeGlyph(c) ? char16_t(kBrailleCells + byte) : c;
  }

  for (unsigned byte = 0; byte < 256; ++byte) {
    if (page.codes.contains(page.chars[byte]))
      throw std::logic_error("two display codes share a character");
    page.codes.insert(page.chars[byte], static_cast<unsigned char>(byte));
  }
  return page;
}

const CodePage& Page() {
  static const CodePage page = BuildCodePage();
  return page;
}

// Characters users type for a glyph that shows as another character.
std::optional<unsigned char> AliasCode(char32_t c) {
  const std::array<unsigned char, 32> charMap = tables::CharMap();
  switch (c) {
    case U'↑': return '^';
    case U'μ': return charMap[17];  // Greek mu for the micro sign
    case U'Å': return charMap[20];
    default: return std::nullopt;
  }
}

std::optional<unsigned char> Code(char32_t c) {
  if (c < 0x80) return static_cast<unsigned char>(c);
  if (c > 0xFFFF) return std::nullopt;
  const auto& codes = Page().codes;
  const auto found = codes.constFind(static_cast<char16_t>(c));
  if (found == codes.constEnd()) return std::nullopt;
  return *found;
}

}  // namespace

QChar DisplayChar(unsigned char code) { return QChar(Page().chars[code]); }

QString ToDisplayText(std::string_view codes) {
  QString text(static_cast<qsizetype>(codes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (unsigned char code : codes) *out++ = QChar(Page().chars[code]);
  return text;
}

std::string ToDisplayCodes(QStringView text) {
  std::string codes;
  codes.reserve(static_cast<size_t>(text.size()));
  for (char32_t c : text.toUcs4()) {
    const auto code = Code(c);
    if (!code)
      throw std::runtime_error("The character " +
                               NameCharacters(QString::fromUcs4(&c, 1)).toStdString() +
                               " has no display code");
    codes += static_cast<char>(*code);
  }
  return codes;
}

TypedText ReadTypedText(QStringView typed) {
  TypedText result;
  for (char32_t c : typed.toUcs4()) {
    std::optional<unsigned char> code = Code(c);
    if (!code) code = AliasCode(c);
    if (code)
      result.text += DisplayChar(*code);
    else if (!result.refused.contains(QString::fromUcs4(&c, 1)))
      result.refused += QString::fromUcs4(&c, 1);
  }
  return result;
}

QString NameCharacters(QStringView characters) {
  QStringList names;
  for (char32_t c : characters.toUcs4())
    names += QString::fromUcs4(&c, 1) + " (U+" +
             QString::number(c, 16).toUpper().rightJustified(4, u'0') + ")";
  return names.join(", ");
}

QString FromWindows1252(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (unsigned char byte : bytes) *out++ = QChar(Windows1252(byte));
  return text;
}

QFont DisplayFont() {
  QFont font;
  font.setFamilies({"HP42SCharSet 3", "DejaVu Sans Mono", "Symbola"});
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(20);
  font.setBold(true);
  return font;
}

}  // namespace orrikey
