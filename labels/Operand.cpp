#include <algorithm>
#include <string_view>

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
  std::string_view text = reader.Next(read) ? reader.text() : std::string_view();
  // The operand follows the words of the name, and the key number after a
  // key word: "KEY 3 GTO 12".
  const std::string_view name = instruction.name;
  size_t words = static_cast<size_t>(std::count(name.begin(), name.end(), ' ')) + 1 +
                 (instruction.keyWord.empty() ? 0 : 1);
  for (; words > 0 && !text.empty(); --words)
    text.remove_prefix(std::min(text.find(' '), text.size() - 1) + 1);

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
