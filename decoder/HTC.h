#pragma once

// Calculator bytes, given as hex text, back to program text.

#include <string>
#include <string_view>
#include <vector>

namespace orrikey::HTC {

struct DecodeResult {
  // One instruction per line, in display codes. Ends with "Error in Hex Code"
  // when the bytes stop in the middle of an instruction, or form one that no
  // program text can name.
  std::vector<std::string> lines;
  // "Error in Hex Code - Around Line: N" when decoding stopped at an error,
  // else empty.
  std::string info;
};

// Decodes hex text (two digits per byte, either case, no separators; a lone
// last digit is left out) the way the calculator reads the bytes. Throws
// std::runtime_error "'$..' is not a valid integer value" for a digit pair
// that is not hexadecimal.
DecodeResult HexToCode(std::string_view hexText);

}  // namespace orrikey::HTC
