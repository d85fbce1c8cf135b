// A line's needs come from facts of its table row and from its operand as
// the decoder reads the bytes, so a raw file's wider forms read as the typed
// line does.

#include <charconv>
#include <string_view>

#include "decoder/LineOperand.h"
#include "decoder/LineReader.h"
#include "needs/Needs.h"

namespace orrikey::needs {
namespace {

std::optional<unsigned> NumberOf(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

bool IsTodayOnly(const encoder::Instruction& instruction) {
  if (const auto* fixed = std::get_if<const tables::FixedOp*>(&instruction)) return (*fixed)->todayOnly;
  if (const auto* mod = std::get_if<const tables::ModOp*>(&instruction)) return (*mod)->todayOnly;
  return false;
}

// IND nn reads the register nn for what it names, whatever the instruction;
// IND ST x and IND "name" read no numbered register, and a stack register or
// a name as operand is none.
void ReadOperand(std::string_view operand, const tables::ModOp& op, LineNeeds& needs) {
  constexpr std::string_view kIndirect = "IND ";
  if (operand.starts_with(kIndirect)) {
    operand.remove_prefix(kIndirect.size());
    needs.reg = NumberOf(operand);
    needs.indirect =
        op.number == tables::NumberMeans::kRegister || op.number == tables::NumberMeans::kStatisticsBlock;
    return;
  }
  const std::optional<unsigned> number = NumberOf(operand);
  switch (op.number) {
    case tables::NumberMeans::kRegister: needs.reg = number; break;
    case tables::NumberMeans::kSize: needs.size = number; break;
    case tables::NumberMeans::kStatisticsBlock: needs.block = number; break;
    case tables::NumberMeans::kOther: break;
  }
}

}  // namespace

LineNeeds NeedsOf(const encoder::AssembledLine& line) {
  LineNeeds needs;
  if (line.failed()) return needs;
  needs.todayOnly = IsTodayOnly(line.instruction);
  if (const auto* fixed = std::get_if<const tables::FixedOp*>(&line.instruction)) {
    needs.statistics = (*fixed)->statistics;
    needs.indirect = (*fixed)->indirectRegister;
  }
  const auto* mod = std::get_if<const tables::ModOp*>(&line.instruction);
  if (!mod) return needs;
  decoder::LineReader reader(line.bytes);
  decoder::Line read;
  if (reader.Next(read)) ReadOperand(decoder::OperandOf(reader.text(), **mod), **mod, needs);
  return needs;
}

bool RunsOn(Target target, const encoder::AssembledLine& line) {
  return target == Target::kToday || line.failed() || !IsTodayOnly(line.instruction);
}

}  // namespace orrikey::needs
