#pragma once

// The state of one decode: the bytes, the read position and the lines so
// far. Each HexToCode call has its own, so decodes never share anything.
//
// Each instruction is read the way the calculator reads it: the first byte
// says how many bytes follow and how to read them. Bytes whose length is
// known but that name no instruction become the calculator's XROM lines, so
// that nothing is lost; decoding stops only where the bytes end in the middle
// of an instruction or form one that has no text at all.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/HTC.h"
#include "decoder/Index.h"

namespace orrikey::HTC {

class Decoder {
 public:
  explicit Decoder(std::string bytes) : bytes_(std::move(bytes)) {}
  DecodeResult Run();

 private:
  using Line = std::optional<std::string>;  // nothing: decoding stops here

  // Byte k of the instruction being read; false when the bytes end first.
  bool Has(size_t k) const { return pos_ + k < bytes_.size(); }
  unsigned At(size_t k) const { return static_cast<unsigned char>(bytes_[pos_ + k]); }
  std::string_view Take(size_t count);  // the next bytes, read

  Line Next();
  Line Number();
  Line TwoByteFunction();
  Line GlobalLabelOrEnd();
  Line NamedGotoXeq(const tables::ModOp& op);
  Line LongGotoXeq();
  Line OneByteLead();

  // Fn and the n bytes it counts (Sequences.cpp).
  Line Sequence();
  Line SequenceBody(std::string_view body, bool wrapped);
  Line RegisterForm(std::string_view lead, std::string_view rest);
  Line NamedForm(std::string_view body, const tables::ModOp& op, bool indirect,
                 size_t leadSize);

  // The operand text of one operand byte, led by `lead`; nothing when no form
  // of the lead takes the byte.
  std::optional<std::string> Operand(std::string_view lead, unsigned byte,
                                     const tables::ModOp** op = nullptr) const;

  const Index& index_ = Index::Get();
  std::string bytes_;
  size_t pos_ = 0;
};

// The calculator's characters as program text in display codes, quoted.
std::string QuotedText(std::string_view characters);

// "XROM 0x" and the bytes in lowercase hex: bytes that form no instruction.
std::string XromHex(std::string_view bytes);

}  // namespace orrikey::HTC
