// The instructions whose first byte is not a length
// byte: numbers, the one- and two-byte functions, labels, END, and the
// instructions with an operand byte.

#include "decoder/Decoder.h"

#include "decoder/OperandText.h"

namespace orrikey::decoder {

// A number is the run of digit bytes; a 00 right after it is its terminator.
void Decoder::Number() {
  constexpr char kDigits[] = "0123456789.\x98-";  // then the point, the exponent mark, minus
  for (; Has(0) && IsNumberByte(At(0)); ++pos_) out_ += kDigits[At(0) - 0x10];
  if (Has(0) && At(0) == 0x00) Take(1);
}

// A0 to A7 and a second byte: bytes that name no function are kept in the
// classic module notation.
bool Decoder::TwoByteFunction(Line& line) {
  if (!Has(1)) return false;
  const Bytes bytes = Take(2);
  if (const tables::FixedOp* op = index_.TwoByteFunction(bytes[0], bytes[1])) {
    SetFixed(line, *op);
    return true;
  }
  out_ += "XROM ";
  AppendTwoDigits(out_, (bytes[0] & 7u) * 4 + (bytes[1] >> 6));
  out_ += ',';
  AppendTwoDigits(out_, bytes[1] & 0x3Fu);
  return true;
}

// C0 00 0D is END. C0 00 Fm kk name is a global label: m counts the key byte
// and the name (C0 00 F0 has neither). Older calculators store some labels
// as CA 00.
bool Decoder::GlobalLabelOrEnd(Line& line) {
  if (!Has(2)) return false;
  if (const tables::FixedOp* op = At(1) == 0 ? index_.LabelRow(At(0), At(2)) : nullptr) {
    Take(3);
    SetFixed(line, *op);
    return true;
  }
  const unsigned first = At(0);
  if ((first != 0xC0 && first != 0xCA) || At(1) != 0 || At(2) < 0xF0) return false;
  const unsigned length = At(2) - 0xF0;
  if (!Has(2 + length)) return false;
  Take(length == 0 ? 3 : 4);
  SetHead(line, index_.GlobalLabel());
  AppendQuoted(out_, Take(length == 0 ? 0 : length - 1));
  return true;
}

// 1D Fn name and 1E Fn name: the instruction byte stands before the length.
bool Decoder::NameAfterLength(Line& line, const tables::ModOp& op) {
  if (!Has(1) || At(1) < 0xF0 || !Has(1 + (At(1) - 0xF0))) return false;
  const size_t length = At(1) - 0xF0;
  Take(2);
  SetHead(line, op);
  AppendQuoted(out_, Take(length));
  return true;
}

// Dx yy nn and Ex yy nn: calculators cache a jump distance in the low digit
// of the first byte, the second byte and the top bit of the third, so only
// the rest of the third byte is the label.
bool Decoder::LongGotoXeq(Line& line, const tables::ModOp& op) {
  if (!Has(2)) return false;
  const unsigned label = At(2) & 0x7F;
  Take(3);
  SetHead(line, op);
  AppendLabel(out_, label);
  return true;
}

// The short forms that hold their number in the first byte.
bool Decoder::ShortNumber(Line& line, const FirstByte& entry) {
  if (entry.trailingByte && !Has(1)) return false;
  Take(entry.trailingByte ? 2 : 1);
  SetHead(line, *entry.op);
  AppendTwoDigits(out_, entry.number);
  return true;
}

// One lead byte and one operand byte.
bool Decoder::OperandByte(Line& line, const OperandEntries& forms) {
  if (!Has(1)) return false;
  const unsigned byte = At(1);
  Take(2);
  SetOperand(line, forms, byte);
  return true;
}

// A byte that fits none of the instruction's forms still reads as the
// operand it would be to any instruction: its top bit says IND whatever the
// lead, so F2 D0 86 is INPUT IND 06 though INPUT's indirect forms lead F2 EE.
void Decoder::SetOperand(Line& line, const OperandEntries& forms, unsigned byte) {
  const OperandEntry* form = FormFor(forms, byte);
  SetHead(line, form ? *form->op : *forms.front().op);
  if (form) AppendOperand(out_, *form, byte);
  else AppendAnyOperand(out_, byte);
}

const OperandEntry* Decoder::FormFor(const OperandEntries& forms, unsigned byte) {
  for (const OperandEntry& form : forms) {
    const int value = static_cast<int>(byte) - form.base;
    if (value < 0 || value > 127) continue;
    const unsigned v = static_cast<unsigned>(value);
    switch (form.style) {
      case ValueStyle::kStack:
        if (IsStack(0x70 + v)) return &form;
        break;
      case ValueStyle::kLabel: return &form;
      case ValueStyle::kRegister:
      case ValueStyle::kPlainNumber:
        if (!IsStack(v)) return &form;
        break;
    }
  }
  return nullptr;
}

void Decoder::AppendOperand(LineText& out, const OperandEntry& form, unsigned byte) {
  const unsigned value = byte - form.base;
  if (form.indirect) out += "IND ";
  switch (form.style) {
    case ValueStyle::kStack: AppendStack(out, 0x70 + value); break;
    case ValueStyle::kLabel: AppendLabel(out, value); break;
    case ValueStyle::kRegister: AppendTwoDigits(out, value); break;
    case ValueStyle::kPlainNumber: AppendDecimal(out, value); break;
  }
}

}  // namespace orrikey::decoder
