#include "decoder/OperandText.h"

#include <charconv>
#include <string_view>

namespace orrikey::decoder {
namespace {

constexpr std::string_view kStackLetters = "TZYXL";

}  // namespace

void AppendDecimal(std::string& out, unsigned value) {
  char digits[10];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

void AppendTwoDigits(std::string& out, unsigned value) {
  if (value < 10) out += '0';
  AppendDecimal(out, value);
}

bool IsStack(unsigned value) { return value >= 0x70 && value < 0x70 + kStackLetters.size(); }

void AppendStack(std::string& out, unsigned value) {
  out += "ST ";
  out += kStackLetters[value - 0x70];
}

void AppendLabel(std::string& out, unsigned value) {
  if (value >= 0x66 && value <= 0x6F) out += static_cast<char>('A' + value - 0x66);
  else if (value >= 0x7B && value <= 0x7F) out += static_cast<char>('a' + value - 0x7B);
  else if (IsStack(value)) AppendStack(out, value);
  else AppendTwoDigits(out, value);
}

void AppendAnyOperand(std::string& out, unsigned byte) {
  const unsigned value = byte & 0x7F;
  if (byte & 0x80) out += "IND ";
  if (IsStack(value)) AppendStack(out, value);
  else AppendTwoDigits(out, value);
}

}  // namespace orrikey::decoder
