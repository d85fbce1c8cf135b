#include <algorithm>

#include "labels/Index.h"

namespace orrikey::labels {
namespace {

// The local labels of a program in line order, with their keys.
std::vector<std::pair<std::uint32_t, std::uint8_t>> LocalsByLine(const Analysis& analysis, size_t program) {
  const size_t begin = analysis.programs[program].locals;
  const size_t end = program + 1 < analysis.programs.size() ? analysis.programs[program + 1].locals
                                                            : analysis.localKeys.size();
  std::vector<std::pair<std::uint32_t, std::uint8_t>> locals;
  locals.reserve(end - begin);
  for (size_t i = begin; i < end; ++i) locals.emplace_back(analysis.localLines[i], analysis.localKeys[i]);
  std::sort(locals.begin(), locals.end());
  return locals;
}

// The global labels of a program, as indices into Analysis::globals.
std::pair<size_t, size_t> GlobalsIn(const Analysis& analysis, size_t program) {
  const Program& p = analysis.programs[program];
  const auto byLine = [](const GlobalLabel& label, size_t line) { return label.line < line; };
  const auto& globals = analysis.globals;
  const auto from = std::lower_bound(globals.begin(), globals.end(), p.first, byLine);
  const auto to = std::lower_bound(from, globals.end(), p.end, byLine);
  return {size_t(from - globals.begin()), size_t(to - globals.begin())};
}

}  // namespace

std::optional<size_t> ProgramOf(const Analysis& analysis, size_t line) {
  const auto& programs = analysis.programs;
  const auto found = std::upper_bound(programs.begin(), programs.end(), line,
                                      [](size_t n, const Program& program) { return n < program.end; });
  if (found == programs.end() || line < found->first) return std::nullopt;
  return size_t(found - programs.begin());
}

std::vector<std::string> LabelsInScope(const Analysis& analysis, size_t line) {
  std::vector<std::string> labels;
  if (const std::optional<size_t> program = ProgramOf(analysis, line))
    for (const auto& [at, key] : LocalsByLine(analysis, *program)) labels.push_back(analysis.localNames[key]);
  for (const GlobalLabel& label : analysis.globals)
    labels.push_back(Shown(LabelKind::kGlobal, analysis.NameOf(label)));
  return labels;
}

// The local and the global labels merged, both in line order already.
std::vector<std::pair<size_t, std::string>> LabelsOf(const Analysis& analysis, size_t program) {
  const auto locals = LocalsByLine(analysis, program);
  auto [global, end] = GlobalsIn(analysis, program);
  std::vector<std::pair<size_t, std::string>> labels;
  labels.reserve(locals.size() + end - global);
  auto local = locals.begin();
  while (local != locals.end() || global != end) {
    if (global == end || (local != locals.end() && local->first < analysis.globals[global].line)) {
      labels.emplace_back(local->first, analysis.localNames[local->second]);
      ++local;
    } else {
      const GlobalLabel& label = analysis.globals[global++];
      labels.emplace_back(label.line, Shown(LabelKind::kGlobal, analysis.NameOf(label)));
    }
  }
  return labels;
}

std::optional<std::string> FirstGlobalOf(const Analysis& analysis, size_t program) {
  const auto [from, to] = GlobalsIn(analysis, program);
  if (from == to) return std::nullopt;
  return std::string(analysis.NameOf(analysis.globals[from]));
}

std::optional<size_t> LabelAt(const Analysis& analysis, const encoder::Assembly& assembly, size_t line) {
  if (line >= assembly.lines().size()) return std::nullopt;
  const std::optional<LabelLine> label = LabelLineOf(assembly.lines()[line].assembled);
  return label ? TargetOf(analysis, line, *label) : std::nullopt;
}

std::vector<size_t> UsesOf(const Analysis& analysis, const encoder::Assembly& assembly, size_t label) {
  std::vector<size_t> uses;
  for (size_t line = 0; line < assembly.lines().size(); ++line) {
    const std::optional<LabelLine> jump = LabelLineOf(assembly.lines()[line].assembled);
    if (jump && !jump->defines && TargetOf(analysis, line, *jump) == label) uses.push_back(line);
  }
  return uses;
}

std::optional<size_t> LineOfStep(const Analysis& analysis, const encoder::Assembly& assembly,
                                 std::string_view program, size_t step) {
  const auto [first, last] = GlobalsNamed(analysis, program);
  std::vector<size_t> named;
  for (const std::uint32_t* label = first; label != last; ++label)
    if (const std::optional<size_t> p = ProgramOf(analysis, analysis.globals[*label].line))
      named.push_back(*p);
  std::sort(named.begin(), named.end());
  named.erase(std::unique(named.begin(), named.end()), named.end());
  for (size_t candidate : named) {
    size_t steps = 0;
    for (size_t line = analysis.programs[candidate].first; line < analysis.programs[candidate].end; ++line)
      if (assembly.lines()[line].assembled.isStep() && ++steps == step) return line;
  }
  return std::nullopt;
}

}  // namespace orrikey::labels
