// The decode loop and the instructions whose first byte is not a length
// byte: numbers, the one- and two-byte functions, labels, END, and the
// instructions with an operand byte.

#include <array>
#include <cstdint>
#include <stdexcept>

#include "decoder/Decoder.h"
#include "decoder/OperandText.h"

namespace orrikey::HTC {
namespace {

constexpr std::string_view kErrorLine = "Error in Hex Code";

// The value of each hex digit, either case; -1 for any other character.
constexpr std::array<int8_t, 256> kHexDigitValues = [] {
  std::array<int8_t, 256> values{};
  values.fill(-1);
  for (int digit = 0; digit < 10; ++digit) values['0' + digit] = static_cast<int8_t>(digit);
  for (int digit = 0; digit < 6; ++digit) {
    values['A' + digit] = static_cast<int8_t>(10 + digit);
    values['a' + digit] = static_cast<int8_t>(10 + digit);
  }
  return values;
}();

std::string BytesOf(std::string_view hex) {
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (size_t at = 0; at + 1 < hex.size(); at += 2) {
    const int high = kHexDigitValues[static_cast<unsigned char>(hex[at])];
    const int low = kHexDigitValues[static_cast<unsigned char>(hex[at + 1])];
    if (high < 0 || low < 0)
      throw std::runtime_error("'$" + std::string(hex.substr(at, 2)) + "' is not a valid integer value");
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

}  // namespace

DecodeResult HexToCode(std::string_view hexText) { return Decoder(BytesOf(hexText)).Run(); }

DecodeResult Decoder::Run() {
  DecodeResult result;
  result.lines.reserve(bytes_.size() / 3);  // most instructions take two or three bytes
  while (pos_ < bytes_.size()) {
    Line line = Next();
    if (!line) {
      result.lines.emplace_back(kErrorLine);
      result.info = std::string(kErrorLine) + " - Around Line: " + std::to_string(result.lines.size());
      break;
    }
    result.lines.push_back(std::move(*line));
  }
  return result;
}

std::string_view Decoder::Take(size_t count) {
  const std::string_view taken = std::string_view(bytes_).substr(pos_, count);
  pos_ += count;
  return taken;
}

Decoder::Line Decoder::Next() {
  const unsigned first = At(0);
  if (first >= 0x10 && first <= 0x1C) return Number();
  if (first >= 0xF0) return Sequence();
  if (first >= 0xA0 && first <= 0xA7) return TwoByteFunction();
  if (first >= 0xC0 && first <= 0xCD) return GlobalLabelOrEnd();
  if (first >= 0xD0 && first <= 0xEF) return LongGotoXeq();
  if (const tables::ModOp* op = index_.NameBeforeLength(static_cast<unsigned char>(first)))
    return NamedGotoXeq(*op);
  if (const auto name = index_.FixedName(std::string_view(bytes_).substr(pos_, 1))) {
    Take(1);
    return std::string(*name);
  }
  return OneByteLead();
}

// A number is the run of digit bytes; a 00 right after it is its terminator.
Decoder::Line Decoder::Number() {
  std::string number;
  for (; Has(0) && At(0) >= 0x10 && At(0) <= 0x1C; ++pos_) {
    const unsigned digit = At(0) - 0x10;
    if (digit == 0xA) number += '.';
    else if (digit == 0xB) number += '\x98';  // the exponent mark
    else if (digit == 0xC) number += '-';
    else number += static_cast<char>('0' + digit);
  }
  if (Has(0) && At(0) == 0x00) Take(1);
  return number;
}

// A0 to A7 and a second byte: bytes that name no function are kept in the
// classic module notation.
Decoder::Line Decoder::TwoByteFunction() {
  if (!Has(1)) return std::nullopt;
  const std::string_view bytes = Take(2);
  if (const auto name = index_.FixedName(bytes)) return std::string(*name);
  const unsigned module = (static_cast<unsigned char>(bytes[0]) & 7) * 4 + (static_cast<unsigned char>(bytes[1]) >> 6);
  const unsigned function = static_cast<unsigned char>(bytes[1]) & 0x3F;
  return "XROM " + TwoDigits(module) + "," + TwoDigits(function);
}

// C0 00 0D is END. C0 00 Fm kk name is a global label: m counts the key byte
// and the name (C0 00 F0 has neither). Older calculators store some labels
// as CA 00.
Decoder::Line Decoder::GlobalLabelOrEnd() {
  if (!Has(2)) return std::nullopt;
  if (const auto name = index_.FixedName(std::string_view(bytes_).substr(pos_, 3))) {
    Take(3);
    return std::string(*name);
  }
  const unsigned first = At(0), length = At(2) - 0xF0;
  if ((first != 0xC0 && first != 0xCA) || At(1) != 0 || At(2) < 0xF0 || !Has(2 + length))
    return std::nullopt;
  Take(length == 0 ? 3 : 4);
  return "LBL " + QuotedText(Take(length == 0 ? 0 : length - 1));
}

// 1D Fn name and 1E Fn name: the instruction byte stands before the length.
Decoder::Line Decoder::NamedGotoXeq(const tables::ModOp& op) {
  if (!Has(1) || At(1) < 0xF0 || !Has(1 + (At(1) - 0xF0))) return std::nullopt;
  const size_t length = At(1) - 0xF0;
  Take(2);
  return std::string(op.name) + " " + QuotedText(Take(length));
}

// Dx yy nn and Ex yy nn: calculators cache a jump distance in the low digit
// of the first byte, the second byte and the top bit of the third, so only
// the rest of the third byte is the label.
Decoder::Line Decoder::LongGotoXeq() {
  if (!Has(2)) return std::nullopt;
  const char lead[] = {static_cast<char>(At(0) & 0xF0), 0};
  const auto* forms = index_.OperandForms(std::string_view(lead, 2));
  if (!forms) return std::nullopt;
  const unsigned label = At(2) & 0x7F;
  Take(3);
  return std::string(forms->front().op->name) + " " + LabelText(label);
}

// The short forms that hold their number in the first byte, and the forms
// of one lead byte and one operand byte.
Decoder::Line Decoder::OneByteLead() {
  const ShortEntry& entry = index_.Short(static_cast<unsigned char>(At(0)));
  if (entry.op) {
    if (entry.trailingByte && !Has(1)) return std::nullopt;
    Take(entry.trailingByte ? 2 : 1);
    return std::string(entry.op->name) + " " + TwoDigits(entry.number);
  }
  const std::string_view lead = std::string_view(bytes_).substr(pos_, 1);
  const auto* forms = index_.OperandForms(lead);
  if (!forms || !Has(1)) return std::nullopt;
  const unsigned byte = At(1);
  Take(2);
  const tables::ModOp* op = forms->front().op;
  // A byte that fits none of the instruction's forms still reads as the
  // operand it would be to any instruction.
  const std::string operand = Operand(lead, byte, &op).value_or(AnyOperandText(byte));
  return std::string(op->name) + " " + operand;
}

std::optional<std::string> Decoder::Operand(std::string_view lead, unsigned byte,
                                            const tables::ModOp** op) const {
  const auto* forms = index_.OperandForms(lead);
  if (!forms) return std::nullopt;
  for (const OperandEntry& form : *forms) {
    const int value = static_cast<int>(byte) - form.base;
    if (value < 0 || value > 127) continue;
    std::optional<std::string> text;
    const bool label = !form.indirect && TakesLabels(form.op->name);
    if (form.stack) text = StackText(0x70 + static_cast<unsigned>(value));
    else if (label) text = LabelText(static_cast<unsigned>(value));
    else if (!StackText(static_cast<unsigned>(value)))
      text = form.indirect || !index_.IsPlainNumberOp(form.op->name) ? TwoDigits(value)
                                                                     : std::to_string(value);
    if (!text) continue;
    if (op) *op = form.op;
    return form.indirect ? "IND " + *text : *text;
  }
  return std::nullopt;
}

}  // namespace orrikey::HTC
