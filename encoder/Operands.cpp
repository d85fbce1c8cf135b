#include "encoder/Encoder.h"
#include "encoder/HexDigits.h"

namespace orrikey {
namespace {

constexpr std::string_view kStackLetters = "TZYXL";
constexpr std::string_view kForbidden = "FFFFFF";

// The bytes a 6-digit slot writes before its operand byte: "FF" then two
// digits is one byte, "FFFF" none, anything else both bytes as written.
std::string_view SlotPrefix(std::string_view slot) {
  if (slot.starts_with("FFFF")) return {};
  if (slot.starts_with("FF")) return slot.substr(2, 2);
  return slot.substr(0, 4);
}

}  // namespace

std::string EncodeNumberOperand(std::string_view digits, std::string_view templ,
                                std::string_view name, int base) {
  // GTO and LBL have one short form fewer: their short bytes run out at 14.
  const unsigned limit = (name == "GTO" || name == "LBL") ? 14 : 15;
  unsigned n = 0;
  for (char c : digits) n = n * 10 + (c - '0');

  std::string_view slot = templ.substr(base + (n > limit ? 10 : 16), 6);
  const std::string_view prefix = SlotPrefix(slot);
  const unsigned value = hex::Value(slot.substr(4, 2)) + n;

  std::string result = std::string(prefix) + hex::Byte(value);
  if (name.starts_with("KEY"))
    result = std::string(prefix) + hex::Byte(name[4] - '0') + hex::Byte(value);
  if (name.starts_with("SIZE")) result = std::string(prefix) + hex::Word(value);
  // The short GTO writes its zero byte after the operand byte.
  if (prefix == "00" && n < 15) result = hex::Byte(value) + "00";
  if ((name == "FIX" || name == "SCI" || name == "ENG") && n > 9 && base == 22) {
    const std::string_view extension = templ.substr(templ.size() - 8);
    if (n == 10) result = extension.substr(4);
    else if (n == 11) result = extension.substr(0, 4);
    else slot = kForbidden;
  }
  if (slot == kForbidden) return std::string(kErrPar);
  return result;
}

std::string EncodeStackOperand(std::string_view operand, std::string_view templ, int base,
                               int keyDigit) {
  const size_t index = kStackLetters.find(operand.substr(1, 1));
  const std::string_view slot = templ.substr(base + 4, 6);
  if (slot == kForbidden || index == std::string_view::npos) return std::string(kErrPar);
  const std::string_view head = slot.starts_with("FF") ? slot.substr(2, 2) : slot.substr(0, 4);
  std::string tail;
  tail += slot[4];
  tail += hex::Digit(static_cast<unsigned>(index));
  if (keyDigit > 0) return std::string(head) + hex::Byte(keyDigit) + tail;
  return std::string(head) + tail;
}

std::string EncodeLocalLabel(char letter, std::string_view templ, std::string_view name,
                             int base) {
  const unsigned code = static_cast<unsigned char>(letter) + (letter >= 'a' ? 26 : 37);
  std::string_view slot = templ.substr(base + 10, 4);
  if (slot.starts_with("FF")) slot.remove_prefix(2);
  if (name.starts_with("KEY"))
    return std::string(slot) + hex::Byte(name[4] - '0') + hex::Byte(code);
  return std::string(slot) + hex::Byte(code);
}

}  // namespace orrikey
