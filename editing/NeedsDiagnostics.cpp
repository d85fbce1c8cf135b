#include "editing/NeedsDiagnostics.h"

#include <algorithm>
#include <string>

#include "tables/Tables.h"
#include "text/Comment.h"
#include "text/Trim.h"

namespace orrikey::editing {
namespace {

// "SIZE ", by the row of the instruction that sets the number of registers.
const std::string& SizeWord() {
  static const std::string word = [] {
    const auto& ops = tables::ModOps();
    const auto size = std::find_if(ops.begin(), ops.end(), [](const tables::ModOp& op) {
      return op.number == tables::NumberMeans::kSize;
    });
    return std::string(size->name) + ' ';
  }();
  return word;
}

std::string Register(unsigned number) { return (number < 10 ? "R0" : "R") + std::to_string(number); }

// "8,412": a figure read beside the calculator's own "about 7,200".
std::string Grouped(std::uint64_t number) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

// "uses R30" or "statistics registers R11 to R23".
std::string DecidedBy(const needs::SizeNeed& need) {
  return need.statistics ? "statistics registers " + Register(need.first) + " to " + Register(need.last)
                         : "uses " + Register(need.first);
}

// Indirect uses name their register only when they run: they are named, not
// guessed at.
std::string SizeNote(const needs::SizeNeed& need, const needs::ProgramNeeds& program,
                     const labels::Analysis& analysis) {
  std::string note = "needs " + SizeWord() + std::to_string(need.size);
  if (program.indirectCount > 0) note += " at least";
  note += ": " + DecidedBy(need);
  if (program.indirectCount == 0) return note;
  note += program.indirectCount == 1 ? "; an indirect use at line " : "; indirect uses at lines ";
  const size_t named = std::min<size_t>(program.indirectCount, needs::ProgramNeeds::kIndirectKept);
  for (size_t i = 0; i < named; ++i)
    note += (i == 0 ? "" : ", ") + std::to_string(analysis.SourceLine(program.indirectLines[i]));
  if (program.indirectCount > named)
    note += " and " + std::to_string(program.indirectCount - named) + " more";
  return note + " not counted";
}

bool DefinesLabel(const encoder::AssembledLine& line) {
  const auto* op = std::get_if<const tables::ModOp*>(&line.instruction);
  return !line.failed() && op && (*op)->definesLabel;
}

// Only SIZE's operand is read, of the lines a program holds.
std::optional<unsigned> SizeSet(const encoder::AssembledLine& line) {
  const auto* op = std::get_if<const tables::ModOp*>(&line.instruction);
  if (line.failed() || !op || (*op)->number != tables::NumberMeans::kSize) return std::nullopt;
  return needs::NeedsOf(line).size;
}

}  // namespace

std::pair<size_t, size_t> InstructionColumns(std::string_view codes) {
  const std::string_view code = text::Trim(text::WithoutComment(codes, text::Notation::kProgramText));
  const size_t begin = code.empty() ? 0 : size_t(code.data() - codes.data());
  return {begin, begin + code.size()};
}

void DiagnoseNeeds(size_t line, std::string_view codes, const encoder::AssembledLine& assembled,
                   const labels::Analysis& analysis, const needs::Needs& needs, needs::Target target,
                   std::vector<Diagnostic>& found) {
  const auto add = [&](Severity severity, std::string message) {
    const auto [begin, end] = InstructionColumns(codes);
    found.push_back({line, begin, end, severity, std::move(message), {}});
  };
  if (!needs::RunsOn(target, assembled))
    add(Severity::kError, "not on the HP-42S: an instruction of today's calculators");
  const bool overMemory = target == needs::Target::kHp42s && needs.bytes > needs::kHp42sMemory;
  if (needs.programs.empty() && !overMemory) return;
  // Most lines neither set SIZE nor speak for their program: they are let
  // go before the program's needs are worked out.
  const std::optional<unsigned> size = SizeSet(assembled);
  const std::optional<size_t> program = labels::ProgramOf(analysis, line);
  if (!program) return;
  const bool noteLine = (size || line == analysis.programs[*program].first || DefinesLabel(assembled)) &&
                        needs::NoteLine(analysis, *program) == line;
  if (!size && !noteLine) return;
  const needs::ProgramNeeds& programNeeds = needs.Of(*program);
  const needs::SizeNeed need = needs::SizeNeeded(programNeeds);
  if (size && *size < need.size) {
    std::string message = SizeWord() + std::to_string(*size) +
                          " is too small for this program, which needs " + SizeWord() +
                          std::to_string(need.size) + ": " + (need.statistics ? "" : "it ") + DecidedBy(need);
    if (!need.statistics) message += " at line " + std::to_string(analysis.SourceLine(need.line));
    add(Severity::kWarning, std::move(message));
  }
  if (!noteLine) return;
  if (need.size > needs::kDefaultSize) add(Severity::kNote, SizeNote(need, programNeeds, analysis));
  if (overMemory)
    add(Severity::kNote, "this program takes " + Grouped(analysis.programs[*program].size) +
                             " bytes; the programs take " + Grouped(needs.bytes) +
                             " bytes; the HP-42S has about " + Grouped(needs::kHp42sMemory) +
                             " for programs and data");
}

}  // namespace orrikey::editing
