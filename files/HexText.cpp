#include "files/HexText.h"

#include <stdexcept>

namespace orrikey {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// One or two hex digits, either case, as the integer parser reads "$" and
// the digits.
char ByteOf(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0)
      throw std::runtime_error("'$" + std::string(digits) + "' is not a valid integer value");
    value = value * 16 + digit;
  }
  return static_cast<char>(value);
}

}  // namespace

// Every line is read in pairs from its own start: line breaks are not part of
// the text, and a lone last digit of a line is a byte of its own.
std::string GetHexString(const std::vector<std::string>& lines, bool asBytes) {
  std::string result;
  for (const std::string& line : lines) {
    if (!asBytes) {
      result += line;
      continue;
    }
    for (size_t at = 0; at < line.size(); at += 2)
      result += ByteOf(std::string_view(line).substr(at, 2));
  }
  return result;
}

}  // namespace orrikey
