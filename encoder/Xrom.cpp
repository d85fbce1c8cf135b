// The calculator's notation for bytes that form no instruction it knows:
// "XROM mm,ff" for a function pair A0 to A7, "XROM 0x..." for the bytes
// after a length byte. Writing them back keeps such programs whole.

#include "encoder/Encoder.h"
#include "text/HexDigits.h"
#include "encoder/LineEncoders.h"
#include "text/Pattern.h"

namespace orrikey {
namespace {

const Pattern& ModulePattern() {
  static const Pattern pattern("^XROM (\\d\\d),(\\d\\d)$");
  return pattern;
}

const Pattern& BytesPattern() {
  static const Pattern pattern("^XROM 0x((?:[0-9A-Fa-f]{2}){1,15})$");
  return pattern;
}

unsigned Decimal(std::string_view digits) { return (digits[0] - '0') * 10u + (digits[1] - '0'); }

}  // namespace

std::optional<std::string> GetXrom(std::string_view line) {
  if (!line.starts_with("XROM ")) return std::nullopt;
  if (const auto module = ModulePattern().Search(line, 1)) {
    const unsigned number = Decimal(*module);
    const unsigned function = Decimal(*ModulePattern().Search(line, 2));
    if (number > 31 || function > 63) return std::string(kErrPar);
    return hex::Byte(0xA0 | number >> 2) + hex::Byte((number & 3) << 6 | function);
  }
  if (const auto bytes = BytesPattern().Search(line, 1)) {
    std::string hex = hex::Byte(0xF0 + static_cast<unsigned>(bytes->size() / 2));
    for (char c : *bytes) hex += static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
    return hex;
  }
  return std::string(kErrPar);
}

}  // namespace orrikey
