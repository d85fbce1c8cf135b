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

#include "text/Trim.h"

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

// The hex line of one cleaned line: empty for a line that was only a comment,
// "------ err opcode" when no encoder takes it.
std::string EncodeLine(std::string_view cleaned);

}  // namespace orrikey
