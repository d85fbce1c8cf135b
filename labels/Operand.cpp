#include <string_view>

#include "decoder/LineOperand.h"
#include "decoder/LineReader.h"
#include "encoder/Encoder.h"
#include "labels/Labels.h"

namespace orrikey::labels {

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
  decoder::LineReader reader(line.bytes);
  decoder::Line read;
  std::string_view text =
      decoder::OperandOf(reader.Next(read) ? reader.text() : std::string_view(), instruction);

  if (text.starts_with("IND ")) {
    label.indirect = true;
    text.remove_prefix(4);
  } else if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    label.kind = LabelKind::kGlobal;
    text = text.substr(1, text.size() - 2);
  } else if (text.size() == 1 && (tables::kUpperLabelLetters.find(text[0]) != std::string_view::npos ||
                                  tables::kLowerLabelLetters.find(text[0]) != std::string_view::npos)) {
    label.kind = LabelKind::kLetter;
  }
  label.name = text;
  return label;
}

}  // namespace orrikey::labels
