#pragma once

// The panes hold single-byte display codes; Qt widgets hold Unicode. The
// code page of text/CodePage.h pairs them, here only to show and to type
// text: every byte that is stored, compared, converted or filed stays the
// display code.

#include <QChar>
#include <QFont>
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace orrikey {

// The character that shows a display code.
QChar DisplayChar(unsigned char code);

// The display codes as the characters that show them, byte for byte.
QString ToDisplayText(std::string_view codes);

// Back from shown text to display codes. Throws std::runtime_error naming the
// first character that shows no display code.
std::string ToDisplayCodes(QStringView text);

// Text the user typed or pasted, as the characters of display codes: a few
// look-alikes users type (the up arrow for "^", Greek mu for the micro sign,
// the ring A of code 20) take the character of their display code, and a
// character without one is left out and named in `refused`.
struct TypedText {
  QString text;
  QString refused;
};
TypedText ReadTypedText(QStringView typed);

// Characters named for a message: "✓ (U+2713), 中 (U+4E2D)".
QString NameCharacters(QStringView characters);

// Windows-1252 text, as the help descriptions are written.
QString FromWindows1252(std::string_view bytes);

// The font of the panes, at the size of the desktop's fixed font: the
// calculator's display font where it is installed, else a monospace font
// that draws the glyphs above.
QFont DisplayFont();

}  // namespace orrikey
