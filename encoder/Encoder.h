#pragma once

// Program text to calculator bytes.
//
// Program lines are single-byte strings in display codes (calculator glyphs
// are bytes 0x80 to 0xBF). Every line becomes one hex line: the instruction's
// bytes as uppercase hex digit pairs, or an error line starting "------".
// The line encoders return nothing when a line is not theirs to encode.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey {

inline constexpr std::string_view kErrorMarker = "------";
inline constexpr std::string_view kErrOpcode = "------ err opcode";
inline constexpr std::string_view kErrPar = "------ err par";
inline constexpr std::string_view kErrNum = "------ err num";
inline constexpr std::string_view kErrString = "------ err string";

// What "Code->Hex" makes of the program text.
struct HexConversion {
  std::vector<std::string> programLines;  // the text with its blank lines removed
  std::vector<std::string> hexLines;      // one per program line
  std::vector<std::string> infoLines;     // "Line: N <error line>" per failed line
  std::string caption;                    // "{ N-Byte Prgm }", empty when a line failed
};

// Converts the whole program text. Nothing when the text has no lines at all:
// then the panes, the INFO lines and the caption stay as they were.
std::optional<HexConversion> MakeHexCode(const std::vector<std::string>& lines);

// Removes the comment ("@" to the end, unless it may belong to a quoted text)
// and trims the line; this is what the line encoders see.
std::string CleanLine(std::string_view line);

// Removes every leading and trailing byte of code 0x20 or below.
std::string_view Trim(std::string_view text);

// The hex line of one cleaned line; "------ err opcode" when no encoder takes
// it. A line that no encoder takes as written but that is the calculator's
// spelling of a fixed instruction encodes as that instruction.
std::string EncodeLine(std::string_view cleaned);

// The line encoders, tried in this order.
std::optional<std::string> GetNumbers(std::string_view line);
std::optional<std::string> GetStrings(std::string_view line);
std::optional<std::string> GetFixedOp(std::string_view line);
std::optional<std::string> GetModOp(std::string_view line);

// The table name of a fixed instruction that the whole line spells the
// calculator's way ("RDX," for RDX, "DATE+" for DATE_PLUS); nothing otherwise.
std::optional<std::string_view> FixedOpOfAlias(std::string_view line);

// The argument parser of a parameterised instruction; never empty.
std::string EncodeArgument(std::string_view line, std::string_view name,
                           std::string_view templ);

// A quoted text as a calculator string. mode 0: a whole-line string, quoted
// is the line; mode 1: an operand, quoted is one white-space character and
// the quoted name. instructionByte is two hex digits or empty.
std::string EncodeQuotedText(std::string_view quoted, std::string_view instructionByte,
                             std::string_view name, int mode);

// Operand encoders; base is 0 for the indirect forms, 22 for the direct ones.
std::string EncodeNumberOperand(std::string_view digits, std::string_view templ,
                                std::string_view name, int base);
std::string EncodeStackOperand(std::string_view operand, std::string_view templ, int base,
                               int keyDigit);
std::string EncodeLocalLabel(char letter, std::string_view templ, std::string_view name,
                             int base);

// Display code to calculator code: the first character map entry that equals
// the byte gives its code; bytes up to 0x7F and unmapped bytes stay as they are.
unsigned char CalculatorCode(unsigned char displayCode);

}  // namespace orrikey
