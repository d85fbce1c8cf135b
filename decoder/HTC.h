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

// The text of one operand byte: a register or label number "00" to "100"
// (0x00 to 0x64), a local label letter "A" to "J" (0x66 to 0x6F) or "a" to
// "e" (0x7B to 0x7F), an indirect register number "00" to "99" (0x80 to
// 0xE3, flagged indirect). Empty for every other byte and for 256, which
// stands for a byte the text does not hold.
struct Operand {
  std::string_view text;
  bool indirect = false;
};
Operand OperandText(unsigned byte);

// The parameterised instruction whose template holds the key (4 or 6 hex
// digits, uppercase) on a byte boundary at its first occurrence, in table
// order: its name, a blank, and "IND " when the key is one of the indirect
// forms. Empty when no row qualifies.
std::string_view FindModOpName(std::string_view key);

// The fixed instruction whose bytes are the key (hex digits, uppercase);
// empty when no row holds it.
std::string_view FindFixedOpName(std::string_view key);

}  // namespace orrikey::HTC
