#include "labels/Labels.h"

#include <algorithm>

#include "encoder/Encoder.h"
#include "labels/Operand.h"
#include "text/Comment.h"

namespace orrikey::labels {
namespace {

// The label `shown` names, read as a line defining it would be.
std::optional<Operand> LabelNamed(std::string_view shown) {
  const std::string definition(tables::LabelDefinition().name);
  const encoder::AssembledLine line = encoder::AssembleLine(definition + ' ' + std::string(shown));
  const LabelUse use = UseOf(line);
  if (line.failed() || use.role != Role::kDefines) return std::nullopt;
  return ReadOperand(line, *use.instruction);
}

}  // namespace

RenamePlan PlanRename(const Analysis& analysis, const encoder::Assembly& assembly, size_t label,
                      std::string_view shown) {
  const Label& renamed = analysis.labels[label];
  const bool global = renamed.kind == LabelKind::kGlobal;
  const std::optional<Operand> named = LabelNamed(shown);
  if (!named || (named->kind == LabelKind::kGlobal) != global)
    return {{}, std::string("Not a ") + (global ? "global" : "local") + " label: " + std::string(shown)};
  if (named->name == renamed.name) return {};
  // Globals are found from every program, local labels in their own.
  const auto inReach = [&](size_t program, LabelKind kind) {
    return (kind == LabelKind::kGlobal) == global && (global || program == renamed.program);
  };
  const auto lineOf = [&](size_t line) { return std::to_string(assembly.lines()[line].sourceLine); };
  const std::string newName = Shown(named->kind, named->name);
  for (const Label& other : analysis.labels)
    if (inReach(other.program, other.kind) && other.name == named->name)
      return {{}, "Label " + newName + " is already at line " + lineOf(other.line)};
  for (const Reference& jump : analysis.references)
    if (!jump.indirect && inReach(jump.program, jump.kind) && jump.name == named->name)
      return {{}, "The jump to " + newName + " at line " + lineOf(jump.line) + " would then reach this label"};
  RenamePlan plan{{renamed.line}, {}};
  for (const Reference* use : UsesOf(analysis, label))
    if (!use->indirect) plan.lines.push_back(use->line);
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
