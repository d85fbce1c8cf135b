#include "decoder/OperandText.h"

#include <charconv>
#include <string_view>

namespace orrikey::decoder {
namespace {

constexpr std::string_view kStackLetters = "TZYXL";

}  // namespace

void AppendDecimal(LineText& out, unsigned value) {
  out.MoveTo(std::to_chars(out.at(), out.at() + 10, value).ptr);
}

void AppendTwoDigits(LineText& out, unsigned value) {
  if (value >= 100) return AppendDecimal(out, value);
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

bool IsStack(unsigned value) { return value >= 0x70 && value < 0x70 + kStackLetters.size(); }

void AppendStack(LineText& out, unsigned value) {
  out += "ST ";
  out += kStackLetters[value - 0x70];
}

void AppendLabel(LineText& out, unsigned value) {
  if (value >= 0x66 && value <= 0x6F) out += static_cast<char>('A' + value - 0x66);
  else if (value >= 0x7B && value <= 0x7F) out += static_cast<char>('a' + value - 0x7B);
  else if (IsStack(value)) AppendStack(out, value);
  else AppendTwoDigits(out, value);
}

void AppendAnyOperand(LineText& out, unsigned byte) {
  const unsigned value = byte & 0x7F;
  if (byte & 0x80) out += "IND ";
  if (IsStack(value)) AppendStack(out, value);
  else AppendTwoDigits(out, value);
}

}  // namespace orrikey::decoder
