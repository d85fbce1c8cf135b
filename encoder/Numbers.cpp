// Number lines: each character as the calculator keys it, one byte each,
// then the byte that ends the number.

#include "encoder/LineEncoders.h"
#include "encoder/LineForms.h"
#include "tables/ByteCode.h"

namespace orrikey::encoder {
namespace {

namespace bytecode = tables::bytecode;

// ᴇ as program text holds it, in display codes.
constexpr unsigned char kExponentMark = 0x98;

// Besides numbers as the calculator keys them, ".5", "5." and "-.5" are
// accepted: calculators store such numbers and the decoder writes them so.
// A final line-break byte such as 0x85 after it still makes the line a
// number, one that fails, as such lines have always been read.
bool IsNumber(std::string_view line) {
  size_t at = line.starts_with('-') ? 1 : 0;
  const size_t mantissa = at;
  at = SkipDigits(line, at);
  const bool whole = at > mantissa;
  if (at < line.size() && line[at] == '.') {
    const size_t fraction = at + 1;
    at = SkipDigits(line, fraction);
    if (!whole && at == fraction) return false;
  } else if (!whole) {
    return false;
  }
  if (at < line.size() && static_cast<unsigned char>(line[at]) == kExponentMark) {
    at += line.substr(at + 1).starts_with('-') ? 2 : 1;
    const size_t exponent = at;
    at = SkipDigits(line, at);
    if (at == exponent || at - exponent > 3) return false;
  }
  const auto isLineBreak = [](unsigned char c) { return (c >= '\n' && c <= '\r') || c == 0x85; };
  return at == line.size() || (at + 1 == line.size() && isLineBreak(line[at]));
}

}  // namespace

std::optional<std::uint8_t> NumberCode(unsigned char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(bytecode::kDigitZero + (c - '0'));
  if (c == '.') return bytecode::kPoint;
  if (c == kExponentMark) return bytecode::kExponent;
  if (c == '-') return bytecode::kMinus;
  return std::nullopt;
}

// Every character is encoded as written: the number is never parsed or
// normalised, so leading and trailing zeros stay.
std::optional<AssembledLine> EncodeNumber(std::string_view line) {
  if (!IsNumber(line)) return std::nullopt;
  AssembledLine number;
  for (unsigned char c : line) {
    const auto code = NumberCode(c);
    // IsNumber lets a final line-break byte such as 0x85 through.
    if (!code) return Failed(EncodeError::kNumber);
    number.bytes.push_back(*code);
  }
  number.bytes.push_back(bytecode::kNumberEnd);
  return number;
}

}  // namespace orrikey::encoder
