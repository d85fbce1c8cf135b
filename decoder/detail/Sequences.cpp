// Fn and the n bytes it counts: NOP, texts, appends, the instructions with a
// name, the prefixed register forms, and the wider A7 forms.

#include <algorithm>

#include "decoder/detail/InstructionDecoder.h"
#include "tables/ByteCode.h"

namespace orrikey::decoder::detail {

namespace bytecode = tables::bytecode;

bool InstructionDecoder::Sequence(Instruction& line) {
  const size_t length = At(0) - bytecode::kCounted;
  if (length == 0) {
    SetFixed(line, *index_.Fixed(Take(1)));  // NOP
    return true;
  }
  if (!Has(length)) return false;
  Take(1);
  const Bytes body = Take(length);
  if (SequenceBody(line, body, false)) return true;
  // A form that failed half way may have named its row and its operand.
  line = {.kind = Kind::kUnnamed, .operand = {.bytes = body}};
  return true;
}

// The form of the n bytes after Fn; false when they form no instruction.
// A wrapped body is the rest of an A7 form that reads as the shorter form.
bool InstructionDecoder::SequenceBody(Instruction& line, Bytes body, bool wrapped) {
  const std::uint8_t first = body[0];
  bool indirect = false;
  if (!wrapped && first < bytecode::kAppend) {
    line.kind = Kind::kText;
    line.operand.bytes = body;
    return true;
  }
  if (!wrapped && first == bytecode::kAppend) {
    if (const tables::ModOp* append = index_.NamedForm(body.first(1), indirect)) {
      SetModOp(line, *append, NameOperand(body.subspan(1), false));
      return true;
    }
  }
  // FIX, SCI and ENG 10 and 11 exist only as these two bytes.
  if (!wrapped && body.size() == 1) {
    const std::uint8_t bytes[] = {bytecode::kCounted + 1, first};
    unsigned number = 0;
    if (const tables::ModOp* op = index_.TenOrEleven(bytes, number)) {
      SetModOp(line, *op, {.kind = ValueKind::kNumber, .value = static_cast<std::uint16_t>(number)});
      return true;
    }
  }

  std::uint8_t lead[] = {static_cast<std::uint8_t>(bytecode::kCounted + body.size()), first, 0};
  const size_t leadSize = first == bytecode::kWide && body.size() == 3 ? 3 : 2;
  if (leadSize == 3) lead[2] = body[1];
  if (const OperandEntries* forms = index_.OperandForms(std::span(lead, leadSize)))
    return RegisterForm(line, *forms, body.subspan(leadSize - 1));

  // A wrapped body never starts with A7 again.
  const size_t nameLead = std::min<size_t>(first == bytecode::kWide ? 2 : 1, body.size());
  if (const tables::ModOp* op = index_.NamedForm(body.first(nameLead), indirect))
    return NamedForm(line, body, *op, indirect, nameLead);
  if (first == bytecode::kWide && body.size() >= 2 && index_.WrapsAnotherForm(body[1]))
    return SequenceBody(line, body.subspan(1), true);
  return false;
}

// F2 xx nn, F3 A7 ss nn, F3 F7 hh ll (SIZE) and F3 Ex kk nn (KEY).
bool InstructionDecoder::RegisterForm(Instruction& line, const OperandEntries& forms, Bytes rest) {
  const tables::ModOp& op = *forms.front().op;
  if (op.operand == tables::OperandKind::kWord) {
    if (rest.size() != 2) return false;
    SetModOp(line, op,
             {.kind = ValueKind::kNumber, .value = static_cast<std::uint16_t>(rest[0] * 256u + rest[1])});
    return true;
  }
  const bool key = op.operand == tables::OperandKind::kKeyLabel;
  if (key && (rest.size() != 2 || rest[0] < 1 || rest[0] > 9)) return false;
  const Bytes operand = key ? rest.subspan(1) : rest;
  if (operand.size() != 1) return false;
  if (!key) {
    SetOperand(line, forms, operand[0]);
    return true;
  }
  const OperandEntry* form = FormFor(forms, operand[0]);
  if (!form) return false;
  Operand value = FormOperand(*form, operand[0]);
  value.key = rest[0];
  SetModOp(line, *form->op, value);
  return true;
}

// Fn xx name, Fn A7 tt name, Fn Cx kk name (KEY) and Fn C0 name kk (ASSIGN).
// Only the wide forms take an empty name.
bool InstructionDecoder::NamedForm(Instruction& line, Bytes body, const tables::ModOp& op, bool indirect,
                                   size_t leadSize) {
  Bytes name = body.subspan(leadSize);
  if (op.operand == tables::OperandKind::kKeyLabel) {
    // A key byte and a name, or no instruction (F2 C3 1A); with a key byte
    // other than 1 to 9 the whole sequence is a text.
    if (name.size() < 2) return false;
    const unsigned key = name[0];
    if (key < 1 || key > 9) {
      line.kind = Kind::kText;
      line.operand.bytes = body;
      return true;
    }
    Operand value = NameOperand(name.subspan(1), indirect);
    value.key = static_cast<std::uint16_t>(key);
    SetModOp(line, op, value);
    return true;
  }
  if (op.operand == tables::OperandKind::kKeyAssignment) {
    if (name.empty()) return false;  // an empty name clears the key
    Operand value = NameOperand(name.first(name.size() - 1), false);
    // The key byte counts from 0, the key from 01.
    value.key = static_cast<std::uint16_t>(name.back() + 1u);
    SetModOp(line, op, value);
    return true;
  }
  if (name.empty() && leadSize == 1) return false;
  SetModOp(line, op, NameOperand(name, indirect));
  return true;
}

}  // namespace orrikey::decoder::detail
