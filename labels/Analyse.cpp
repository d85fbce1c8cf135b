#include <algorithm>
#include <array>
#include <numeric>

#include "labels/Labels.h"

namespace orrikey::labels {
namespace {

// A program's local labels come in line order; they are kept by name, each
// name's in line order, for the calculator's search. Most programs hold
// them in that order already, or nearly: a file repeating one label on most
// of its lines takes no room to sort.
void SortByKey(std::vector<std::uint32_t>& lines, std::vector<std::uint8_t>& keys, size_t from) {
  const auto first = keys.begin() + std::ptrdiff_t(from);
  if (std::is_sorted(first, keys.end())) return;
  std::array<size_t, 257> starts{};
  for (auto key = first; key != keys.end(); ++key) ++starts[*key + 1u];
  std::partial_sum(starts.begin(), starts.end(), starts.begin());
  const std::vector<std::uint32_t> byLine(lines.begin() + std::ptrdiff_t(from), lines.end());
  for (size_t i = 0; i < byLine.size(); ++i) lines[from + starts[keys[from + i]]++] = byLine[i];
  std::sort(first, keys.end());
}

// Only labels are indexed, so only their operands need reading.
bool DefinesLabel(const encoder::AssembledLine& line) {
  const auto* op = std::get_if<const tables::ModOp*>(&line.instruction);
  return !line.failed() && op && (*op)->definesLabel;
}

}  // namespace

void Analyser::Add(size_t sourceLine, const encoder::AssembledLine& line) {
  const auto index = static_cast<std::uint32_t>(out_.lineCount++);
  if (out_.SourceLine(index) != sourceLine) out_.renumbered.emplace_back(index, std::uint32_t(sourceLine));
  holdsInstruction_ |= line.failed() || !line.bytes.empty();
  if (!line.failed() && !line.endsProgram() && !line.dropped())
    program_.size += std::uint32_t(line.bytes.size());
  if (line.isStep()) ++program_.steps;
  if (std::optional<LabelLine> label = DefinesLabel(line) ? LabelLineOf(line) : std::nullopt;
      label && label->defines) {
    if (label->kind == LabelKind::kGlobal) {
      out_.globals.push_back(
          {index, std::uint32_t(out_.globalNames.size()), std::uint8_t(label->name.size())});
      out_.globalNames += label->name;
    } else {
      auto [found, added] = localKeys_.try_emplace(label->name, std::uint8_t(out_.localNames.size()));
      if (added) out_.localNames.push_back(std::move(label->name));
      out_.localLines.push_back(index);
      out_.localKeys.push_back(found->second);
    }
  }
  if (line.endsProgram()) {
    program_.end = index + 1;
    EndProgram(true);
  }
}

void Analyser::EndProgram(bool holdsInstruction) {
  if (holdsInstruction) {
    SortByKey(out_.localLines, out_.localKeys, program_.locals);
    out_.programs.push_back(program_);
  }
  program_ = {program_.end, program_.end, 0, 0, std::uint32_t(out_.localLines.size())};
  holdsInstruction_ = false;
}

Analysis Analyser::Finish() {
  program_.end = std::uint32_t(out_.lineCount);
  EndProgram(holdsInstruction_);
  out_.globalsByName.resize(out_.globals.size());
  std::iota(out_.globalsByName.begin(), out_.globalsByName.end(), 0u);
  std::stable_sort(out_.globalsByName.begin(), out_.globalsByName.end(),
                   [this](std::uint32_t a, std::uint32_t b) {
                     return out_.NameOf(out_.globals[a]) < out_.NameOf(out_.globals[b]);
                   });
  for (const auto& [name, key] : localKeys_) out_.localNamesSorted.push_back(key);
  return std::move(out_);
}

Analysis Analyse(const encoder::Assembly& assembly) {
  Analyser analyser;
  for (const encoder::Assembly::Line& line : assembly.lines()) analyser.Add(line.sourceLine, line.assembled);
  return analyser.Finish();
}

}  // namespace orrikey::labels
