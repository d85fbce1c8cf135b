#pragma once

// Reads one instruction from the bytes at a position. Nothing is shared
// between decodes but the index of the tables.
//
// Each instruction is read the way the calculator reads it: the first byte
// says how many bytes follow and how to read them. Bytes whose length is
// known but that name no instruction become the calculator's XROM lines, so
// that nothing is lost; decoding stops only where the bytes end in the middle
// of an instruction or form one that has no text at all.
//
// Every reader fills in the instruction's kind, row and operand; it returns
// false where decoding stops.

#include <cstdint>

#include "decoder/Instruction.h"
#include "decoder/detail/Index.h"

namespace orrikey::decoder::detail {

// The pieces of a record the readers share.
inline void SetFixed(Instruction& line, const tables::FixedOp& op) {
  line.kind = Kind::kFixed;
  line.fixedOp = &op;
}
void SetModOp(Instruction& line, const tables::ModOp& op, Operand operand);
Operand NameOperand(Bytes name, bool indirect);
// The first of the forms that takes the operand byte, or null.
const OperandEntry* FormFor(const OperandEntries& forms, unsigned byte);
// The operand byte as the form reads it.
Operand FormOperand(const OperandEntry& form, unsigned byte);

class InstructionDecoder {
 public:
  InstructionDecoder(const Index& index, Bytes bytes, size_t pos) : index_(index), bytes_(bytes), pos_(pos) {}
  // The instruction at the position; false where decoding stops. Inline,
  // so that the reader keeps the decoder in registers and the common lines
  // cost no call.
  bool Read(Instruction& line) {
    const FirstByte& entry = index_.First(static_cast<std::uint8_t>(At(0)));
    switch (entry.reading) {
      case Reading::kNumber: Number(line); return true;
      case Reading::kFixed:
        Take(1);
        SetFixed(line, *entry.fixed);
        return true;
      case Reading::kShortNumber: return ShortNumber(line, entry);
      case Reading::kOperandByte: return OperandByte(line, *entry.forms);
      case Reading::kTwoByteFunction: return TwoByteFunction(line);
      case Reading::kGlobalLabelOrEnd: return GlobalLabelOrEnd(line);
      case Reading::kLongGotoXeq: return LongGotoXeq(line, *entry.op);
      case Reading::kNameAfterLength: return NameAfterLength(line, *entry.op);
      case Reading::kSequence: return Sequence(line);
      case Reading::kNothing: return false;
    }
    return false;
  }
  size_t pos() const { return pos_; }

 private:
  // Byte k of the instruction being read; false when the bytes end first.
  bool Has(size_t k) const { return pos_ + k < bytes_.size(); }
  unsigned At(size_t k) const { return bytes_[pos_ + k]; }
  // The next bytes, read.
  Bytes Take(size_t count) {
    const Bytes taken = bytes_.subspan(pos_, count);
    pos_ += count;
    return taken;
  }

  void Number(Instruction& line);
  bool TwoByteFunction(Instruction& line);
  bool GlobalLabelOrEnd(Instruction& line);
  bool NameAfterLength(Instruction& line, const tables::ModOp& op);
  bool LongGotoXeq(Instruction& line, const tables::ModOp& op);
  bool ShortNumber(Instruction& line, const FirstByte& entry);
  bool OperandByte(Instruction& line, const OperandEntries& forms);
  void SetOperand(Instruction& line, const OperandEntries& forms, unsigned byte);

  // Fn and the n bytes it counts (Sequences.cpp).
  bool Sequence(Instruction& line);
  bool SequenceBody(Instruction& line, Bytes body, bool wrapped);
  bool RegisterForm(Instruction& line, const OperandEntries& forms, Bytes rest);
  bool NamedForm(Instruction& line, Bytes body, const tables::ModOp& op, bool indirect, size_t leadSize);

  const Index& index_;
  Bytes bytes_;
  size_t pos_;
};

}  // namespace orrikey::decoder::detail
