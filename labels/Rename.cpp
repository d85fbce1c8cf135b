#include "labels/Labels.h"

#include <algorithm>

#include "encoder/Encoder.h"
#include "labels/Index.h"
#include "text/Comment.h"

namespace orrikey::labels {
namespace {

// The label `shown` names, read as a line defining it would be.
std::optional<LabelLine> LabelNamed(std::string_view shown) {
  const std::string definition(tables::LabelDefinition().name);
  std::optional<LabelLine> label = LabelLineOf(encoder::AssembleLine(definition + ' ' + std::string(shown)));
  if (!label || !label->defines) return std::nullopt;
  return label;
}

}  // namespace

RenamePlan PlanRename(const Analysis& analysis, const encoder::Assembly& assembly, size_t label,
                      std::string_view shown) {
  const std::optional<LabelLine> renamed = LabelLineOf(assembly.lines()[label].assembled);
  const bool global = renamed->kind == LabelKind::kGlobal;
  const std::optional<LabelLine> named = LabelNamed(shown);
  if (!named || (named->kind == LabelKind::kGlobal) != global)
    return {{}, std::string("Not a ") + (global ? "global" : "local") + " label: " + std::string(shown)};
  if (named->name == renamed->name) return {};
  const std::string newName = Shown(named->kind, named->name);
  const auto lineOf = [&](size_t line) { return std::to_string(analysis.SourceLine(line)); };
  // Globals are found from every program, local labels in their own.
  size_t from = 0, to = assembly.lines().size();
  std::optional<size_t> taken;
  if (global) {
    const auto [first, last] = GlobalsNamed(analysis, named->name);
    if (first != last) taken = analysis.globals[*first].line;
  } else {
    const size_t program = *ProgramOf(analysis, label);
    from = analysis.programs[program].first, to = analysis.programs[program].end;
    if (const std::optional<std::uint8_t> key = LocalKey(analysis, named->name)) {
      const auto [first, last] = LocalLines(analysis, program, *key);
      if (first != last) taken = *first;
    }
  }
  if (taken) return {{}, "Label " + newName + " is already at line " + lineOf(*taken)};
  for (size_t line = from; line < to; ++line) {
    const std::optional<LabelLine> jump = LabelLineOf(assembly.lines()[line].assembled);
    if (jump && !jump->defines && !jump->indirect && (jump->kind == LabelKind::kGlobal) == global &&
        jump->name == named->name)
      return {{}, "The jump to " + newName + " at line " + lineOf(line) + " would then reach this label"};
  }
  RenamePlan plan{{label}, {}};
  for (size_t use : UsesOf(analysis, assembly, label)) plan.lines.push_back(use);
  std::sort(plan.lines.begin(), plan.lines.end());
  return plan;
}

// The label is the last word of the instruction, or its quoted name: what
// follows the instruction's own words (KEY 3 GTO, PGMSLV) in each case.
std::string WithLabel(std::string_view line, LabelKind kind, std::string_view shown) {
  const text::LineParts parts = text::SplitLine(line, text::Notation::kProgramText);
  const std::string_view code = line.substr(0, std::min(parts.comment, line.size()));
  size_t start, end;
  if (kind == LabelKind::kGlobal && parts.textOpen < code.size()) {
    start = parts.textOpen;
    end = parts.textClose == text::LineParts::npos ? code.size() : parts.textClose + 1;
  } else {
    end = code.find_last_not_of(" \t") + 1;
    start = code.find_last_of(" \t", end - 1) + 1;
  }
  return std::string(line.substr(0, start)).append(shown).append(line.substr(end));
}

}  // namespace orrikey::labels
