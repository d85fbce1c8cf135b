#include "decoder/OperandText.h"

#include <charconv>
#include <string_view>

#include "tables/Tables.h"

namespace orrikey::decoder {

void AppendDecimal(LineText& out, unsigned value) {
  out.MoveTo(std::to_chars(out.at(), out.at() + 10, value).ptr);
}

void AppendTwoDigits(LineText& out, unsigned value) {
  if (value >= 100) return AppendDecimal(out, value);
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

bool IsStack(unsigned value) { return value - tables::kStackBase < tables::kStackLetters.size(); }

void AppendStack(LineText& out, unsigned value) {
  out += "ST ";
  out += tables::kStackLetters[value - tables::kStackBase];
}

void AppendLabel(LineText& out, unsigned value) {
  using tables::kLowerLabelBase, tables::kLowerLabelLetters, tables::kUpperLabelBase,
      tables::kUpperLabelLetters;
  if (value - kUpperLabelBase < kUpperLabelLetters.size()) out += kUpperLabelLetters[value - kUpperLabelBase];
  else if (value - kLowerLabelBase < kLowerLabelLetters.size())
    out += kLowerLabelLetters[value - kLowerLabelBase];
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
