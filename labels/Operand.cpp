#include "decoder/Reader.h"
#include "encoder/Encoder.h"
#include "labels/Labels.h"
#include "programtext/Codes.h"

namespace orrikey::labels {
namespace {

bool IsLetter(unsigned label) {
  return label - tables::kUpperLabelBase < tables::kUpperLabelLetters.size() ||
         label - tables::kLowerLabelBase < tables::kLowerLabelLetters.size();
}

}  // namespace

// The bytes are read back the way the decoder reads them, so that the jump
// distances a calculator caches in a raw file's GTO and XEQ, its CA 00 global
// labels and the wider forms of today's calculators name the same label as the
// bytes the encoder writes.
std::optional<LabelLine> LabelLineOf(const encoder::AssembledLine& line) {
  const auto* op = std::get_if<const tables::ModOp*>(&line.instruction);
  if (line.failed() || !op) return std::nullopt;
  const tables::ModOp& instruction = **op;
  LabelLine label;
  switch (instruction.operand) {
    case tables::OperandKind::kLabel: label.defines = instruction.definesLabel; break;
    case tables::OperandKind::kKeyLabel:
    case tables::OperandKind::kProgram: break;
    default: return std::nullopt;
  }
  decoder::Reader reader(line.bytes);
  decoder::Instruction read;
  if (!reader.Next(read) || read.kind != decoder::Kind::kOperand) return label;
  const decoder::Operand& operand = read.operand;
  // What an indirect operand names is known only when it runs: such a jump
  // reaches no label, and such a LBL, which only stray bytes hold, defines
  // none.
  if (operand.indirect && label.defines) return std::nullopt;
  label.indirect = operand.indirect;
  if (label.indirect) return label;
  if (operand.kind == decoder::ValueKind::kName) label.kind = LabelKind::kGlobal;
  else if (operand.kind == decoder::ValueKind::kLabel && IsLetter(operand.value))
    label.kind = LabelKind::kLetter;
  programtext::AppendValue(label.name, operand);
  return label;
}

}  // namespace orrikey::labels
