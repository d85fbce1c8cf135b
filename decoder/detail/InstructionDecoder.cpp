// The instructions whose first byte is not a length
// byte: numbers, the one- and two-byte functions, labels, END, and the
// instructions with an operand byte.

#include "decoder/detail/InstructionDecoder.h"

#include "tables/ByteCode.h"

namespace orrikey::decoder::detail {

namespace bytecode = tables::bytecode;

namespace {

bool IsStack(unsigned value) { return value - tables::kStackBase < tables::kStackLetters.size(); }

// Any operand byte read on its own: a register number or stack register,
// indirect from kIndirect up.
Operand AnyOperand(unsigned byte) {
  const unsigned value = byte & ~unsigned{bytecode::kIndirect};
  return {.kind = IsStack(value) ? ValueKind::kStack : ValueKind::kRegister,
          .indirect = byte >= bytecode::kIndirect,
          .value = static_cast<std::uint16_t>(value)};
}

}  // namespace

void SetModOp(Instruction& line, const tables::ModOp& op, Operand operand) {
  line.kind = Kind::kOperand;
  line.modOp = &op;
  line.operand = operand;
}

Operand NameOperand(Bytes name, bool indirect) {
  return {.kind = ValueKind::kName, .indirect = indirect, .bytes = name};
}

const OperandEntry* FormFor(const OperandEntries& forms, unsigned byte) {
  for (const OperandEntry& form : forms) {
    const int value = static_cast<int>(byte) - form.base;
    if (value < 0 || value >= bytecode::kIndirect) continue;
    const unsigned v = static_cast<unsigned>(value);
    switch (form.style) {
      case ValueStyle::kStack:
        if (IsStack(tables::kStackBase + v)) return &form;
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

Operand FormOperand(const OperandEntry& form, unsigned byte) {
  const unsigned value = byte - form.base;
  Operand operand{.indirect = form.indirect, .value = static_cast<std::uint16_t>(value)};
  switch (form.style) {
    case ValueStyle::kStack:
      operand.kind = ValueKind::kStack;
      operand.value += tables::kStackBase;
      break;
    case ValueStyle::kLabel: operand.kind = ValueKind::kLabel; break;
    case ValueStyle::kRegister: operand.kind = ValueKind::kRegister; break;
    case ValueStyle::kPlainNumber: operand.kind = ValueKind::kNumber; break;
  }
  return operand;
}

// A number is the run of digit bytes; the byte that ends it right after it
// is its terminator.
void InstructionDecoder::Number(Instruction& line) {
  size_t digits = 0;
  while (Has(digits) && bytecode::IsNumberByte(static_cast<std::uint8_t>(At(digits)))) ++digits;
  line.kind = Kind::kNumber;
  line.operand.bytes = Take(digits);
  if (Has(0) && At(0) == bytecode::kNumberEnd) Take(1);
}

// A0 to A7 and a second byte: bytes that name no function are kept in the
// classic module notation, four modules to each first byte.
bool InstructionDecoder::TwoByteFunction(Instruction& line) {
  if (!Has(1)) return false;
  const Bytes bytes = Take(2);
  if (const tables::FixedOp* op = index_.TwoByteFunction(bytes[0], bytes[1])) {
    SetFixed(line, *op);
    return true;
  }
  line.kind = Kind::kXrom;
  line.xromModule = static_cast<std::uint8_t>((bytes[0] - bytecode::kTwoByteFirst) * 4 + (bytes[1] >> 6));
  line.xromFunction = bytes[1] & 0x3Fu;
  return true;
}

// C0 00 0D is END. C0 00 Fm kk name is a global label: m counts the key byte
// and the name (C0 00 F0 has neither). Older calculators store some labels
// as CA 00.
bool InstructionDecoder::GlobalLabelOrEnd(Instruction& line) {
  if (!Has(2)) return false;
  if (const tables::FixedOp* op = At(1) == 0 ? index_.LabelRow(At(0), At(2)) : nullptr) {
    Take(3);
    SetFixed(line, *op);
    return true;
  }
  const unsigned first = At(0);
  if ((first != bytecode::kGlobalLabel && first != bytecode::kOlderGlobalLabel) || At(1) != 0 ||
      At(2) < bytecode::kCounted)
    return false;
  const unsigned length = At(2) - bytecode::kCounted;
  if (!Has(2 + length)) return false;
  Take(length == 0 ? 3 : 4);
  SetModOp(line, index_.GlobalLabel(), NameOperand(Take(length == 0 ? 0 : length - 1), false));
  return true;
}

// 1D Fn name and 1E Fn name: the instruction byte stands before the length.
bool InstructionDecoder::NameAfterLength(Instruction& line, const tables::ModOp& op) {
  if (!Has(1) || At(1) < bytecode::kCounted || !Has(1 + (At(1) - bytecode::kCounted))) return false;
  const size_t length = At(1) - bytecode::kCounted;
  Take(2);
  SetModOp(line, op, NameOperand(Take(length), false));
  return true;
}

// Dx yy nn and Ex yy nn: calculators cache a jump distance in the low digit
// of the first byte, the second byte and the top bit of the third, so only
// the rest of the third byte is the label.
bool InstructionDecoder::LongGotoXeq(Instruction& line, const tables::ModOp& op) {
  if (!Has(2)) return false;
  const unsigned label = At(2) & ~unsigned{bytecode::kIndirect};
  Take(3);
  SetModOp(line, op, {.kind = ValueKind::kLabel, .value = static_cast<std::uint16_t>(label)});
  return true;
}

// The short forms that hold their number in the first byte.
bool InstructionDecoder::ShortNumber(Instruction& line, const FirstByte& entry) {
  if (entry.trailingByte && !Has(1)) return false;
  Take(entry.trailingByte ? 2 : 1);
  SetModOp(line, *entry.op, {.kind = ValueKind::kRegister, .value = entry.number});
  return true;
}

// One lead byte and one operand byte.
bool InstructionDecoder::OperandByte(Instruction& line, const OperandEntries& forms) {
  if (!Has(1)) return false;
  const unsigned byte = At(1);
  Take(2);
  SetOperand(line, forms, byte);
  return true;
}

// A byte that fits none of the instruction's forms still reads as the
// operand it would be to any instruction: its top bit says IND whatever the
// lead, so F2 D0 86 is INPUT IND 06 though INPUT's indirect forms lead F2 EE.
void InstructionDecoder::SetOperand(Instruction& line, const OperandEntries& forms, unsigned byte) {
  if (const OperandEntry* form = FormFor(forms, byte)) SetModOp(line, *form->op, FormOperand(*form, byte));
  else SetModOp(line, *forms.front().op, AnyOperand(byte));
}

}  // namespace orrikey::decoder::detail
