#include "ui/DisplayCodes.h"

#include "text/CodePage.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <stdexcept>

namespace orrikey {

QChar DisplayChar(unsigned char code) { return QChar(static_cast<char16_t>(text::DisplayCodeChar(code))); }

QString ToDisplayText(std::string_view codes) {
  QString text(static_cast<qsizetype>(codes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (unsigned char code : codes) *out++ = DisplayChar(code);
  return text;
}

// Pane text is almost all single UTF-16 units: they are read as they stand,
// without a copy of the text in UTF-32.
std::string ToDisplayCodes(QStringView text) {
  std::string codes;
  codes.reserve(static_cast<size_t>(text.size()));
  for (auto unit = text.begin(); unit != text.end(); ++unit) {
    char32_t c = unit->unicode();
    if (unit->isSurrogate()) {
      const bool paired = unit->isHighSurrogate() && unit + 1 != text.end() && unit[1].isLowSurrogate();
      c = paired ? QChar::surrogateToUcs4(unit[0], unit[1]) : char32_t(QChar::ReplacementCharacter);
      if (paired) ++unit;
    }
    const auto code = text::DisplayCodeOf(c);
    if (!code)
      throw std::runtime_error("The character " + NameCharacters(QString::fromUcs4(&c, 1)).toStdString() +
                               " has no display code");
    codes += static_cast<char>(*code);
  }
  return codes;
}

TypedText ReadTypedText(QStringView typed) {
  TypedText result;
  for (char32_t c : typed.toUcs4()) {
    if (const auto code = text::TypedDisplayCode(c)) result.text += DisplayChar(*code);
    else if (!result.refused.contains(QString::fromUcs4(&c, 1))) result.refused += QString::fromUcs4(&c, 1);
  }
  return result;
}

QString NameCharacters(QStringView characters) {
  QStringList names;
  for (char32_t c : characters.toUcs4())
    names +=
        QString::fromUcs4(&c, 1) + " (U+" + QString::number(c, 16).toUpper().rightJustified(4, u'0') + ")";
  return names.join(", ");
}

QString FromWindows1252(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (unsigned char byte : bytes) *out++ = QChar(static_cast<char16_t>(text::Windows1252Char(byte)));
  return text;
}

// DejaVu Sans Mono lacks a few of the calculator's glyphs, such as the
// exponent's ᴇ; DejaVu Sans, of the same design, has them, and Symbola the
// rest. The calculator's own font, where installed, comes first.
QFont DisplayFont() {
  const QFont desktop = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  QFont font;
  font.setFamilies({"HP42SCharSet 3", "DejaVu Sans Mono", "DejaVu Sans", "Symbola"});
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(QFontInfo(desktop).pixelSize());
  return font;
}

}  // namespace orrikey
