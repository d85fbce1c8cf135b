#include "programtext/Codes.h"

#include "programtext/OperandText.h"
#include "tables/ByteCode.h"
#include "text/QuotedText.h"

namespace orrikey::programtext {
namespace {

using decoder::Instruction, decoder::Kind, decoder::Operand, decoder::ValueKind;

void AppendQuoted(std::string& out, decoder::Bytes characters) {
  out += '"';
  AppendValue(out, {.kind = ValueKind::kName, .bytes = characters});
  out += '"';
}

// A name operand is quoted; any other is its value.
void AppendOperand(std::string& out, const Operand& operand) {
  if (operand.indirect) out += "IND ";
  if (operand.kind == ValueKind::kName) AppendQuoted(out, operand.bytes);
  else AppendValue(out, operand);
}

// KEY lines hold the key number inside the name, after the record's key
// word ("KEY 3 GTO 12"); ASSIGN holds it after the name it assigns, after its
// key word ("ASSIGN "AB" TO 05").
void AppendWithOperand(std::string& out, const tables::ModOp& op, const Operand& operand) {
  if (op.operand == tables::OperandKind::kKeyLabel) {
    out += op.keyWord;
    out += ' ';
    AppendDecimal(out, operand.key);
    out += op.name.substr(op.keyWord.size());
  } else {
    out += op.name;
  }
  out += ' ';
  AppendOperand(out, operand);
  if (op.operand == tables::OperandKind::kKeyAssignment) {
    out += ' ';
    out += op.keyWord;
    out += ' ';
    AppendTwoDigits(out, operand.key);
  }
}

void AppendHexBytes(std::string& out, decoder::Bytes bytes) {
  for (std::uint8_t c : bytes) {
    out += "0123456789abcdef"[c >> 4];
    out += "0123456789abcdef"[c & 0xF];
  }
}

}  // namespace

void AppendValue(std::string& out, const Operand& operand) {
  switch (operand.kind) {
    case ValueKind::kNone: break;
    case ValueKind::kRegister: AppendTwoDigits(out, operand.value); break;
    case ValueKind::kStack: AppendStack(out, operand.value); break;
    case ValueKind::kLabel: AppendLabel(out, operand.value); break;
    case ValueKind::kNumber: AppendDecimal(out, operand.value); break;
    case ValueKind::kName: {
      const size_t used = out.size();
      out.resize(used + text::QuotedRoom(operand.bytes.size()));
      out.resize(static_cast<size_t>(text::WriteQuotedChars(out.data() + used, operand.bytes) - out.data()));
      break;
    }
  }
}

void AppendCodes(std::string& out, const Instruction& instruction) {
  switch (instruction.kind) {
    case Kind::kFixed: out += instruction.fixedOp->name; break;
    case Kind::kOperand: AppendWithOperand(out, *instruction.modOp, instruction.operand); break;
    case Kind::kNumber:
      // The digits, then the point, the exponent mark and the minus.
      for (std::uint8_t digit : instruction.operand.bytes)
        out += "0123456789.\x98-"[digit - tables::bytecode::kDigitZero];
      break;
    case Kind::kText: AppendQuoted(out, instruction.operand.bytes); break;
    case Kind::kXrom:
      out += "XROM ";
      AppendTwoDigits(out, instruction.xromModule);
      out += ',';
      AppendTwoDigits(out, instruction.xromFunction);
      break;
    case Kind::kUnnamed:
      out += "XROM 0x";
      AppendHexBytes(out, instruction.operand.bytes);
      break;
  }
}

std::string CodesOf(const Instruction& instruction) {
  std::string out;
  AppendCodes(out, instruction);
  return out;
}

}  // namespace orrikey::programtext
