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

// Every byte of a byte string, two digits each.
inline std::string Bytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) out += Byte(c);
  return out;
}

// At least four digits.
inline std::string Word(unsigned value) { return Byte(value >> 8) + Byte(value & 0xFF); }

}  // namespace orrikey::hex
