#include <algorithm>

#include "needs/Needs.h"

namespace orrikey::needs {
namespace {

bool NeedsAnything(const LineNeeds& needs) {
  return needs.todayOnly || needs.reg || needs.indirect || needs.block ||
         needs.statistics != tables::Statistics::kNone;
}

}  // namespace

ProgramNeeds& Analyser::Current() {
  if (out_.programs.empty() || out_.programs.back().program != program_) {
    out_.programs.emplace_back();
    out_.programs.back().program = program_;
  }
  return out_.programs.back();
}

void Analyser::Add(const encoder::AssembledLine& line) {
  const std::uint32_t at = line_++;
  const LineNeeds needs = NeedsOf(line);
  if (NeedsAnything(needs)) {
    ProgramNeeds& program = Current();
    if (needs.todayOnly && program.todayCount++ == 0) program.firstToday = at;
    if (needs.reg && *needs.reg < program.registers.size()) {
      if ((program.registers >> *needs.reg).none()) program.highestLine = at;
      program.registers.set(*needs.reg);
    }
    if (needs.indirect && program.indirectCount++ < ProgramNeeds::kIndirectKept)
      program.indirectLines[program.indirectCount - 1] = at;
    if (needs.block && *needs.block <= 0xFF)
      program.block = std::max<std::uint8_t>(program.block.value_or(0), std::uint8_t(*needs.block));
    program.statistics |= needs.statistics == tables::Statistics::kUses;
    program.linear |= needs.statistics == tables::Statistics::kLinear;
    program.all |= needs.statistics == tables::Statistics::kAll;
  }
  if (line.endsProgram()) ++program_;
}

// The label analysis leaves out lines after the last END that hold no
// instruction, which need nothing either.
Needs Analyser::Finish(const labels::Analysis& analysis) {
  const size_t programs = analysis.programs.size();
  std::erase_if(out_.programs,
                [programs](const ProgramNeeds& program) { return program.program >= programs; });
  for (const labels::Program& program : analysis.programs) out_.bytes += program.size;
  return std::move(out_);
}

Needs Analyse(const encoder::Assembly& assembly, const labels::Analysis& analysis) {
  Analyser analyser;
  for (const encoder::Assembly::Line& line : assembly.lines()) analyser.Add(line.assembled);
  return analyser.Finish(analysis);
}

size_t NoteLine(const labels::Analysis& analysis, size_t program) {
  const labels::Program& p = analysis.programs[program];
  const auto global =
      std::lower_bound(analysis.globals.begin(), analysis.globals.end(), p.first,
                       [](const labels::GlobalLabel& label, size_t line) { return label.line < line; });
  return global != analysis.globals.end() && global->line < p.end ? global->line : p.first;
}

const ProgramNeeds& Needs::Of(size_t program) const {
  static const ProgramNeeds kNothing;
  const auto found = std::lower_bound(programs.begin(), programs.end(), program,
                                      [](const ProgramNeeds& p, size_t n) { return p.program < n; });
  return found != programs.end() && found->program == program ? *found : kNothing;
}

SizeNeed SizeNeeded(const ProgramNeeds& program) {
  SizeNeed need;
  for (unsigned r = unsigned(program.registers.size()); r-- > 0;) {
    if (!program.registers[r]) continue;
    need = {r + 1, false, r, r, program.highestLine};
    break;
  }
  if (!program.statistics) return need;
  const unsigned first = program.block.value_or(kDefaultStatisticsBlock);
  const unsigned count = program.linear && !program.all ? kLinearStatistics : kAllStatistics;
  if (first + count > need.size) need = {first + count, true, first, first + count - 1, 0};
  return need;
}

}  // namespace orrikey::needs
