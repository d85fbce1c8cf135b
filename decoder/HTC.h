#pragma once

// Calculator bytes, given as hex text, back to program text.

#include <string>
#include <string_view>
#include <vector>

namespace orrikey::HTC {

struct DecodeResult {
  // One instruction per line, in display codes. Ends with "Error in Hex Code"
  // when a pass recognised nothing.
  std::vector<std::string> lines;
  // "Error in Hex Code - Around Line: N" when decoding stopped at an error,
  // else empty.
  std::string info;
};

// Decodes hex text (two digits per byte, no separators). Throws
// std::runtime_error "'$..' is not a valid integer value" for a digit pair
// that is not hexadecimal, or a counted name or string that runs past the end.
DecodeResult HexToCode(std::string_view hexText);

}  // namespace orrikey::HTC
