#include "programtext/OperandText.h"

#include <charconv>

#include "tables/Tables.h"

namespace orrikey::programtext {

void AppendDecimal(std::string& out, unsigned value) {
  char digits[10];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendTwoDigits(std::string& out, unsigned value) {
  if (value >= 100) return AppendDecimal(out, value);
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

void AppendStack(std::string& out, unsigned value) {
  out += "ST ";
  out += tables::kStackLetters[value - tables::kStackBase];
}

void AppendLabel(std::string& out, unsigned value) {
  using tables::kLowerLabelBase, tables::kLowerLabelLetters, tables::kUpperLabelBase,
      tables::kUpperLabelLetters, tables::kStackBase, tables::kStackLetters;
  if (value - kUpperLabelBase < kUpperLabelLetters.size()) out += kUpperLabelLetters[value - kUpperLabelBase];
  else if (value - kLowerLabelBase < kLowerLabelLetters.size())
    out += kLowerLabelLetters[value - kLowerLabelBase];
  else if (value - kStackBase < kStackLetters.size()) AppendStack(out, value);
  else AppendTwoDigits(out, value);
}

}  // namespace orrikey::programtext
