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
// Every reader appends to the line's text and names the row it read; it
// returns false where decoding stops.

#include <cstdint>
#include <span>

#include "decoder/Decode.h"
#include "decoder/Index.h"
#include "decoder/LineText.h"

namespace orrikey::decoder {

using Bytes = std::span<const std::uint8_t>;

class Decoder {
 public:
  Decoder(const Index& index, Bytes bytes, size_t pos, LineText& out)
      : index_(index), bytes_(bytes), pos_(pos), out_(out) {}
  // The instruction at the position into `line`, its text appended to the
  // output; false where decoding stops. Inline, so that the line reader
  // keeps the decoder in registers and the common lines cost no call.
  bool Read(Line& line) {
    const FirstByte& entry = index_.First(static_cast<std::uint8_t>(At(0)));
    switch (entry.reading) {
      case Reading::kNumber: Number(); return true;
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

  void Number();
  bool TwoByteFunction(Line& line);
  bool GlobalLabelOrEnd(Line& line);
  bool NameAfterLength(Line& line, const tables::ModOp& op);
  bool LongGotoXeq(Line& line, const tables::ModOp& op);
  bool ShortNumber(Line& line, const FirstByte& entry);
  bool OperandByte(Line& line, const OperandEntries& forms);
  void SetOperand(Line& line, const OperandEntries& forms, unsigned byte);

  // Fn and the n bytes it counts (Sequences.cpp).
  bool Sequence(Line& line);
  bool SequenceBody(Line& line, Bytes body, bool wrapped);
  bool RegisterForm(Line& line, const OperandEntries& forms, Bytes rest);
  bool NamedForm(Line& line, Bytes body, const tables::ModOp& op, bool indirect, size_t leadSize);
  void SetKeyHead(const tables::ModOp& op, unsigned key);

  // The first of the forms that takes the operand byte, or null.
  static const OperandEntry* FormFor(const OperandEntries& forms, unsigned byte);
  static void AppendOperand(LineText& out, const OperandEntry& form, unsigned byte);

  // Nearly every line ends in one of these two: kept inline, they cost no call.
  void SetFixed(Line& line, const tables::FixedOp& op) {
    line.fixedOp = &op;
    out_.Restart();
    out_ += op.name;
  }
  // The instruction's name and a blank, before its operand.
  void SetHead(Line& line, const tables::ModOp& op) {
    line.modOp = &op;
    out_ += op.name;
    out_ += ' ';
  }
  const Index& index_;
  Bytes bytes_;
  size_t pos_;
  LineText& out_;
};

// Appends the calculator's characters as program text in display codes, quoted.
void AppendQuoted(LineText& out, Bytes characters);

// "XROM 0x" and the bytes in lowercase hex: bytes that form no instruction.
void AppendXromHex(LineText& out, Bytes bytes);

}  // namespace orrikey::decoder
