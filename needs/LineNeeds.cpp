// A line's needs come from facts of its table row and from its operand as
// the decoder reads the bytes, so a raw file's wider forms read as the typed
// line does.

#include "decoder/Reader.h"
#include "needs/Needs.h"

namespace orrikey::needs {
namespace {

// The number the operand writes in digits: a register, a plain number, a
// local label that is neither a letter nor a stack register.
std::optional<unsigned> NumberOf(const decoder::Operand& operand) {
  switch (operand.kind) {
    case decoder::ValueKind::kRegister:
    case decoder::ValueKind::kNumber: return operand.value;
    case decoder::ValueKind::kLabel:
      if (operand.value - tables::kUpperLabelBase < tables::kUpperLabelLetters.size() ||
          operand.value - tables::kLowerLabelBase < tables::kLowerLabelLetters.size() ||
          operand.value - tables::kStackBase < tables::kStackLetters.size())
        return std::nullopt;
      return operand.value;
    default: return std::nullopt;
  }
}

bool IsTodayOnly(const encoder::Instruction& instruction) {
  if (const auto* fixed = std::get_if<const tables::FixedOp*>(&instruction)) return (*fixed)->todayOnly;
  if (const auto* mod = std::get_if<const tables::ModOp*>(&instruction)) return (*mod)->todayOnly;
  return false;
}

// IND nn reads the register nn for what it names, whatever the instruction;
// IND ST x and IND "name" read no numbered register, and a stack register or
// a name as operand is none.
void ReadOperand(const decoder::Operand& operand, const tables::ModOp& op, LineNeeds& needs) {
  if (operand.indirect) {
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
  decoder::Reader reader(line.bytes);
  decoder::Instruction read;
  if (reader.Next(read) && read.kind == decoder::Kind::kOperand) ReadOperand(read.operand, **mod, needs);
  return needs;
}

bool RunsOn(Target target, const encoder::AssembledLine& line) {
  return target == Target::kToday || line.failed() || !IsTodayOnly(line.instruction);
}

}  // namespace orrikey::needs
