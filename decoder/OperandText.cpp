#include "decoder/OperandText.h"

namespace orrikey::HTC {

std::string TwoDigits(unsigned value) {
  std::string digits = std::to_string(value);
  if (digits.size() < 2) digits.insert(digits.begin(), '0');
  return digits;
}

std::optional<std::string> StackText(unsigned value) {
  constexpr std::string_view kStackLetters = "TZYXL";
  if (value < 0x70 || value >= 0x70 + kStackLetters.size()) return std::nullopt;
  return std::string("ST ") + kStackLetters[value - 0x70];
}

std::string LabelText(unsigned value) {
  if (value >= 0x66 && value <= 0x6F) return std::string(1, static_cast<char>('A' + value - 0x66));
  if (value >= 0x7B && value <= 0x7F) return std::string(1, static_cast<char>('a' + value - 0x7B));
  return StackText(value).value_or(TwoDigits(value));
}

std::string AnyOperandText(unsigned byte) {
  const unsigned value = byte & 0x7F;
  const std::string text = StackText(value).value_or(TwoDigits(value));
  return byte & 0x80 ? "IND " + text : text;
}

bool TakesLabels(std::string_view name) {
  return name == "LBL" || name == "GTO" || name == "XEQ" || name.starts_with("KEY");
}

}  // namespace orrikey::HTC
