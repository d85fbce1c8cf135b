#pragma once

// One instruction as the decoder reads it from the calculator's bytes: plain
// values, which programtext/ writes as program text.

#include <cstdint>
#include <span>
#include <string_view>

#include "tables/Tables.h"

namespace orrikey::decoder {

using Bytes = std::span<const std::uint8_t>;

enum class Kind : std::uint8_t {
  kFixed,    // an instruction without an operand: fixedOp
  kOperand,  // an instruction with an operand: modOp and the operand
  kNumber,   // the operand's bytes are the number's digit bytes
  kText,     // the operand's bytes are the text's characters
  kXrom,     // XROM mm,ff: a module and a function that name no instruction
  kUnnamed,  // bytes of a known count that form no instruction, written XROM 0x..
};

// How the operand's value is written.
enum class ValueKind : std::uint8_t {
  kNone,
  kRegister,  // a register number, at least two digits
  kStack,     // a stack register: value is tables::kStackBase and up
  kLabel,     // a local label: a letter, a stack register or a number
  kNumber,    // digits without a leading zero: a plain number, SIZE's word, FIX 10
  kName,      // a name or text: the operand's bytes
};

struct Operand {
  ValueKind kind = ValueKind::kNone;
  bool indirect = false;
  // The key of KEY n (1 to 9) and of ASSIGN (01 to 18), else 0.
  std::uint16_t key = 0;
  std::uint16_t value = 0;
  // Into the decoded bytes: a name's or text's characters, a number's
  // digits, the bytes of an unnamed instruction.
  Bytes bytes = {};
};

struct Instruction {
  std::uint32_t offset = 0;  // of its first byte; input files are capped far below 4 GiB
  std::uint32_t size = 0;    // its byte count
  Kind kind = Kind::kFixed;
  // The table row it was read as; both null for numbers, texts and XROM lines.
  const tables::FixedOp* fixedOp = nullptr;
  const tables::ModOp* modOp = nullptr;
  Operand operand;
  std::uint8_t xromModule = 0;  // kXrom
  std::uint8_t xromFunction = 0;

  bool endsProgram() const { return fixedOp && fixedOp->endsProgram; }
  bool dropped() const { return fixedOp && fixedOp->dropped; }
};

// The bytes of a file as the file readers return them, not copied.
inline Bytes AsBytes(std::string_view bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

}  // namespace orrikey::decoder
