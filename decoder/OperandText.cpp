#include "decoder/OperandText.h"

#include <charconv>
#include <string_view>

#include "tables/Tables.h"

namespace orrikey::decoder {
namespace {

using tables::kLowerLabelBase;
using tables::kLowerLabelLetters;
using tables::kStackBase;
using tables::kStackLetters;
using tables::kUpperLabelBase;
using tables::kUpperLabelLetters;

}  // namespace

void AppendDecimal(LineText& out, unsigned value) {
  out.MoveTo(std::to_chars(out.at(), out.at() + 10, value).ptr);
}

void AppendTwoDigits(LineText& out, unsigned value) {
  if (value >= 100) return AppendDecimal(out, value);
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

bool IsStack(unsigned value) { return value >= kStackBase && value < kStackBase + kStackLetters.size(); }

void AppendStack(LineText& out, unsigned value) {
  out += "ST ";
  out += kStackLetters[value - kStackBase];
}

void AppendLabel(LineText& out, unsigned value) {
  if (value - kUpperLabelBase < kUpperLabelLetters.size()) out += kUpperLabelLetters[value - kUpperLabelBase];
  else if (value - kLowerLabelBase < kLowerLabelLetters.size()) out += kLowerLabelLetters[value - kLowerLabelBase];
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
