#pragma once

// Uppercase hex digits as the hex listing writes them.

#include <string>
#include <string_view>

namespace orrikey::hex {

inline char Digit(unsigned value) { return "0123456789ABCDEF"[value & 0xF]; }

// At least two digits: a leading zero where needed.
inline std::string Byte(unsigned value) {
  std::string out;
  if (value > 0xFF) out += Byte(value >> 8);
  out += Digit(value >> 4);
  out += Digit(value);
  return out;
}

// At least four digits.
inline std::string Word(unsigned value) { return Byte(value >> 8) + Byte(value & 0xFF); }

// The value of hex digits that the tables hold (always valid there).
inline unsigned Value(std::string_view digits) {
  unsigned value = 0;
  for (char c : digits) value = value * 16 + (c <= '9' ? c - '0' : c - 'A' + 10);
  return value;
}

}  // namespace orrikey::hex
