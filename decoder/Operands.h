#pragma once

// Small pieces of operand text shared by the recognisers.

#include <optional>
#include <string>
#include <string_view>

namespace orrikey::HTC {

// Templates of FIX, SCI and ENG carry 8 more digits for the operands 11 and 10.
inline constexpr size_t kExtendedTemplateSize = 52;

// At least two digits, as register numbers are written: "05", "14", "100".
inline std::string TwoDigits(unsigned value) {
  std::string digits = std::to_string(value);
  if (digits.size() < 2) digits.insert(digits.begin(), '0');
  return digits;
}

// The letter of a stack operand byte: 70 to 74 direct, F0 to F4 indirect, for
// T, Z, Y, X and L. Any other byte names no stack register; in particular a
// byte 0x to 6x would find the direct form of the same instruction again.
inline std::optional<char> StackLetter(unsigned byte) {
  constexpr std::string_view kStackLetters = "TZYXL";
  const unsigned high = byte >> 4;
  const unsigned index = byte & 0xF;
  if ((high != 0x7 && high != 0xF) || index >= kStackLetters.size()) return std::nullopt;
  return kStackLetters[index];
}

inline bool IsKeyAssignment(std::string_view name) {
  return name.find("KEY") != std::string_view::npos;
}

// "KEY 3 XEQ " or "KEY 3 GTO IND ", from the found instruction name.
inline std::string KeyHead(std::string_view name, unsigned key) {
  std::string head = "KEY " + std::to_string(key);
  head += name.find("GTO") != std::string_view::npos ? " GTO " : " XEQ ";
  if (name.find("IND") != std::string_view::npos) head += "IND ";
  return head;
}

}  // namespace orrikey::HTC
