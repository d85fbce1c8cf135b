#pragma once

// Program text is held in single-byte display codes; people read and write
// Unicode. This is the one fixed, one-to-one pairing of the 256 display codes
// with Unicode characters, shared by the windows, the listings and the
// command line: the calculator's glyphs for its characters 0 to 31 and the
// append sign, ASCII as itself, and the other bytes as Windows-1252, the
// single-byte text of the platform the program files come from.

#include <optional>
#include <string>
#include <string_view>

namespace orrikey::text {

// The character that shows a display code.
char32_t DisplayCodeChar(unsigned char code);

// The same character as UTF-8.
std::string_view DisplayCodeUtf8(unsigned char code);

// Appends the characters that show the display codes, as UTF-8.
void AppendDisplayCodesUtf8(std::string& out, std::string_view codes);
std::string DisplayCodesUtf8(std::string_view codes);

// The display code a character shows; nothing for a character of no code.
std::optional<unsigned char> DisplayCodeOf(char32_t c);

// The calculator code a display code in program text stands for: the code
// whose glyph it is, else the byte itself.
unsigned char CalculatorCode(unsigned char displayCode);

// As DisplayCodeOf, and also the look-alikes people type for a glyph that
// shows as another character: the up arrow for "^", the Greek mu for the
// micro sign, the ring A of calculator code 20.
std::optional<unsigned char> TypedDisplayCode(char32_t c);

// The Windows-1252 character of a byte; its five undefined codes give their
// C1 control.
char32_t Windows1252Char(unsigned char byte);

}  // namespace orrikey::text
