#include "reference/Help.h"

#include "tables/Tables.h"

namespace orrikey::reference {
namespace {

// A program line starts with the first word of its instruction's name: KEY
// for KEY 1 GTO 10.
template <typename Op>
std::optional<std::string> HelpOf(std::span<const Op> ops, std::string_view word) {
  for (const Op& op : ops)
    if (op.name.substr(0, op.name.find(' ')) == word && !op.help.empty()) return std::string(op.help);
  return std::nullopt;
}

std::optional<std::string> InstructionHelp(std::string_view word) {
  if (auto help = HelpOf(tables::FixedOps(), word)) return help;
  return HelpOf(tables::ModOps(), word);
}

}  // namespace

std::optional<std::string> HelpFor(std::string_view line) {
  const std::string_view word = line.substr(0, line.find(' '));
  if (auto help = InstructionHelp(word)) return help;
  // Each instruction has one help under its table name, while program text
  // may write the calculator's own spelling (RDX,, DATE+): either finds it.
  for (const tables::TextPair& alias : tables::Aliases()) {
    if (word != alias.key) continue;
    if (auto help = InstructionHelp(alias.value)) return help;
  }
  for (const tables::TextPair& key : tables::KeyHelp())
    if (key.key == word) return std::string(key.value);
  return std::nullopt;
}

}  // namespace orrikey::reference
