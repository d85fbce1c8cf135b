// Where a line's jump lands and what is wrong with the line, from the line
// and the index alone.

#include <algorithm>

#include "labels/Index.h"

namespace orrikey::labels {
namespace {

// The lines of the labels a line's name reaches, in line order: of its
// program for a local label, of the file for a global one.
struct Copies {
  const std::uint32_t* first = nullptr;
  const std::uint32_t* last = nullptr;
  const Analysis* globals = nullptr;  // set when the copies are indices of global labels
  size_t count() const { return size_t(last - first); }
  size_t at(size_t i) const { return globals ? globals->globals[first[i]].line : first[i]; }
};

Copies CopiesOf(const Analysis& analysis, size_t line, const LabelLine& label) {
  if (label.kind == LabelKind::kGlobal) {
    const auto [first, last] = GlobalsNamed(analysis, label.name);
    return {first, last, &analysis};
  }
  const std::optional<size_t> program = ProgramOf(analysis, line);
  const std::optional<std::uint8_t> key = LocalKey(analysis, label.name);
  if (!program || !key) return {};
  const auto [first, last] = LocalLines(analysis, *program, *key);
  return {first, last, nullptr};
}

// The calculator searches its global labels from the end of memory, so the
// last of a name is the one found; a local label from the line after the
// jump to the end of its program, then from the program's start.
std::optional<size_t> Reached(const Copies& copies, size_t line, LabelKind kind) {
  if (copies.count() == 0) return std::nullopt;
  if (kind == LabelKind::kGlobal) return copies.at(copies.count() - 1);
  const std::uint32_t* next = std::upper_bound(copies.first, copies.last, line);
  return next != copies.last ? *next : *copies.first;
}

}  // namespace

std::optional<size_t> TargetOf(const Analysis& analysis, size_t line, const LabelLine& label) {
  if (label.defines) return line;
  if (label.indirect) return std::nullopt;
  return Reached(CopiesOf(analysis, line, label), line, label.kind);
}

// Every copy after the first of a label is a warning: the calculator finds
// one of them only.
std::optional<Warning> WarningOn(const Analysis& analysis, size_t line,
                                 const encoder::AssembledLine& assembled) {
  const std::optional<LabelLine> label = LabelLineOf(assembled);
  if (!label || label->indirect) return std::nullopt;
  const bool global = label->kind == LabelKind::kGlobal;
  const Copies copies = CopiesOf(analysis, line, *label);
  std::string shown = Shown(label->kind, label->name);
  if (label->defines) {
    if (copies.count() == 0 || copies.at(0) == line) return std::nullopt;
    return Warning{global ? WarningKind::kDuplicateGlobal : WarningKind::kDuplicateLocal, line, copies.at(0),
                   std::move(shown)};
  }
  const std::optional<size_t> target = Reached(copies, line, label->kind);
  if (!target)
    return Warning{
        global ? WarningKind::kNoGlobalLabel : WarningKind::kNoLocalLabel, line, {}, std::move(shown)};
  if (!global && copies.count() > 1)
    return Warning{WarningKind::kOneOfDuplicates, line, target, std::move(shown)};
  return std::nullopt;
}

}  // namespace orrikey::labels
