#include <algorithm>

#include "labels/Labels.h"

namespace orrikey::labels {

std::optional<size_t> ProgramOf(const Analysis& analysis, size_t line) {
  const auto& programs = analysis.programs;
  const auto found = std::upper_bound(programs.begin(), programs.end(), line,
                                      [](size_t n, const Program& program) { return n < program.end; });
  if (found == programs.end() || line < found->first) return std::nullopt;
  return size_t(found - programs.begin());
}

std::vector<std::string> LabelsInScope(const Analysis& analysis, size_t line) {
  const std::optional<size_t> program = ProgramOf(analysis, line);
  std::vector<std::string> local, global;
  for (const Label& label : analysis.labels) {
    if (label.kind == LabelKind::kGlobal)
      global.push_back(Shown(label.kind, label.name));
    else if (label.program == program)
      local.push_back(label.name);
  }
  local.insert(local.end(), global.begin(), global.end());
  return local;
}

std::optional<size_t> LabelAt(const Analysis& analysis, size_t line) {
  const auto byLine = [line](const auto& item) { return item.line == line; };
  const auto label = std::find_if(analysis.labels.begin(), analysis.labels.end(), byLine);
  if (label != analysis.labels.end()) return size_t(label - analysis.labels.begin());
  const auto reference = std::find_if(analysis.references.begin(), analysis.references.end(), byLine);
  return reference != analysis.references.end() ? reference->target : std::nullopt;
}

std::vector<const Reference*> UsesOf(const Analysis& analysis, size_t label) {
  std::vector<const Reference*> uses;
  for (const Reference& reference : analysis.references)
    if (reference.target == label) uses.push_back(&reference);
  return uses;
}

std::optional<size_t> LineOfStep(const Analysis& analysis, const encoder::Assembly& assembly,
                                 std::string_view program, size_t step) {
  for (const Program& candidate : analysis.programs) {
    const bool named = std::any_of(candidate.globals.begin(), candidate.globals.end(),
                                   [&](size_t label) { return analysis.labels[label].name == program; });
    if (!named) continue;
    size_t steps = 0;
    for (size_t line = candidate.first; line < candidate.end; ++line)
      if (assembly.lines()[line].assembled.isStep() && ++steps == step) return line;
  }
  return std::nullopt;
}

}  // namespace orrikey::labels
