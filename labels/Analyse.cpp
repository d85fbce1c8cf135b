#include <algorithm>
#include <map>

#include "labels/Labels.h"
#include "labels/Operand.h"

namespace orrikey::labels {
namespace {

// Labels by name, each list in line order.
using Named = std::map<std::string, std::vector<size_t>>;

void ReadProgram(const encoder::Assembly& assembly, const encoder::ProgramSpan& span, Analysis& out) {
  const size_t index = out.programs.size();
  Program program{span.first, span.end, span.size, 0, {}};
  for (size_t i = span.first; i < span.end; ++i) {
    const encoder::AssembledLine& line = assembly.lines()[i].assembled;
    if (line.isStep()) ++program.steps;
    const LabelUse use = UseOf(line);
    if (use.role == Role::kNone) continue;
    Operand operand = ReadOperand(line, *use.instruction);
    if (use.role == Role::kDefines) {
      if (operand.kind == LabelKind::kGlobal) program.globals.push_back(out.labels.size());
      out.labels.push_back({i, index, operand.kind, std::move(operand.name)});
    } else {
      out.references.push_back(
          {i, index, use.instruction, operand.indirect, operand.kind, std::move(operand.name), {}});
    }
  }
  out.programs.push_back(std::move(program));
}

// Every copy after the first of a label is a warning; the calculator finds
// one of them only.
void WarnOfCopies(const Named& named, WarningKind kind, Analysis& out) {
  for (const auto& [name, copies] : named)
    for (size_t k = 1; k < copies.size(); ++k) {
      const Label& label = out.labels[copies[k]];
      out.warnings.push_back({kind, label.line, out.labels[copies[0]].line, Shown(label.kind, label.name)});
    }
}

// A local label is searched from the line after the reference to the end of
// its program, then from the program's start.
std::optional<size_t> LocalTarget(const std::vector<size_t>& copies, const Analysis& out, size_t line) {
  if (copies.empty()) return std::nullopt;
  for (size_t label : copies)
    if (out.labels[label].line > line) return label;
  return copies.front();
}

void Resolve(Analysis& out) {
  Named globals;
  std::vector<Named> locals(out.programs.size());
  for (size_t i = 0; i < out.labels.size(); ++i) {
    const Label& label = out.labels[i];
    (label.kind == LabelKind::kGlobal ? globals : locals[label.program])[label.name].push_back(i);
  }
  // A file may repeat one label on most of its lines, so the copies' room is
  // made at once rather than doubled as they come.
  size_t copies = 0;
  const auto countCopies = [&copies](const Named& named) {
    for (const auto& [name, lines] : named) copies += lines.size() - 1;
  };
  countCopies(globals);
  for (const Named& program : locals) countCopies(program);
  out.warnings.reserve(copies);
  WarnOfCopies(globals, WarningKind::kDuplicateGlobal, out);
  for (const Named& program : locals) WarnOfCopies(program, WarningKind::kDuplicateLocal, out);

  static const std::vector<size_t> kNone;
  for (Reference& reference : out.references) {
    if (reference.indirect) continue;
    const bool global = reference.kind == LabelKind::kGlobal;
    const Named& named = global ? globals : locals[reference.program];
    const auto found = named.find(reference.name);
    const std::vector<size_t>& copies = found == named.end() ? kNone : found->second;
    const std::string shown = Shown(reference.kind, reference.name);
    // The calculator searches its global labels from the end of memory, so
    // the last of a name is the one found.
    reference.target = global ? (copies.empty() ? std::nullopt : std::optional(copies.back()))
                              : LocalTarget(copies, out, reference.line);
    if (!reference.target)
      out.warnings.push_back(
          {global ? WarningKind::kNoGlobalLabel : WarningKind::kNoLocalLabel, reference.line, {}, shown});
    else if (!global && copies.size() > 1)
      out.warnings.push_back(
          {WarningKind::kOneOfDuplicates, reference.line, out.labels[*reference.target].line, shown});
  }
  // Sorting takes room for half the warnings, which are mostly in order already.
  const auto byLine = [](const Warning& a, const Warning& b) { return a.line < b.line; };
  if (!std::is_sorted(out.warnings.begin(), out.warnings.end(), byLine))
    std::stable_sort(out.warnings.begin(), out.warnings.end(), byLine);
}

}  // namespace

Analysis Analyse(const encoder::Assembly& assembly) {
  Analysis out;
  for (const encoder::ProgramSpan& span : assembly.Programs()) ReadProgram(assembly, span, out);
  Resolve(out);
  return out;
}

}  // namespace orrikey::labels
