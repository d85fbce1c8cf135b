#include "editing/ProgramModel.h"

#include <algorithm>
#include <stdexcept>

#include "decoder/Reader.h"
#include "document/TypedLine.h"
#include "editing/TypedText.h"
#include "listing/ListingWriter.h"
#include "text/CodePage.h"
#include "text/Lines.h"

namespace orrikey::editing {
namespace {

// An edit's lines, split at LF alone, as editors hand them over.
template <typename Take>
void ForEachLine(std::string_view text, const Take& take) {
  for (size_t start = 0;;) {
    const size_t end = std::min(text.find('\n', start), text.size());
    take(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + 1;
  }
}

}  // namespace

ProgramModel::ProgramModel() {
  lines_.emplace_back();
  assembly_.Append({1, {}});
  Analyse();
}

// The opened text holds a line per line of the assembly.
ProgramModel::ProgramModel(document::OpenedProgram opened) : assembly_(std::move(opened.assembly)) {
  lines_.reserve(assembly_.lines().size());
  {
    // The whole text goes before the labels are analysed: a large file
    // needs the room.
    const std::string text = std::move(opened.text);
    text::ForEachLine(text, [&](size_t, std::string_view line) { lines_.emplace_back(line); });
  }
  // They always agree; were they ever not to, the text would still be whole.
  while (assembly_.lines().size() < lines_.size()) assembly_.Append({assembly_.lines().size() + 1, {}});
  lines_.resize(assembly_.lines().size());
  for (auto& [line, spelled] : opened.respelled)
    if (line < lines_.size()) readings_.push_back({{std::move(spelled), 0, 0}, line});
  Analyse();
}

bool ProgramModel::BeforeLine(const Reading& reading, size_t line) { return reading.line < line; }

void ProgramModel::Replace(size_t first, size_t count, std::string_view text) {
  if (first > lines_.size() || count > lines_.size() - first)
    throw std::out_of_range("No such lines in the program text");
  std::vector<std::string> lines;
  std::vector<Reading> readings;
  std::vector<encoder::Assembly::Line> assembled;
  ForEachLine(text, [&](std::string_view utf8) {
    TypedText read = ReadTypedText(utf8);
    const size_t index = first + lines.size();
    if (read.refused != 0) {
      assembled.push_back({index + 1, encoder::Failed(encoder::EncodeError::kChar)});
      readings.push_back({{{}, read.refused, read.refusedColumn}, index});
    } else {
      document::TypedLine typed = document::ReadTypedLine(read.codes);
      assembled.push_back({index + 1, std::move(typed.assembled)});
      if (!typed.spelled.empty()) readings.push_back({{std::move(typed.spelled), 0, 0}, index});
    }
    lines.push_back(std::move(read.codes));
  });
  const size_t added = lines.size();

  // A keystroke replaces a line by one: the lines after it stay where they are.
  const size_t kept = std::min(count, added);
  std::move(lines.begin(), lines.begin() + std::ptrdiff_t(kept), lines_.begin() + std::ptrdiff_t(first));
  const auto rest = lines_.begin() + std::ptrdiff_t(first + kept);
  if (count > kept) {
    lines_.erase(rest, rest + std::ptrdiff_t(count - kept));
  } else {
    lines_.insert(rest, std::make_move_iterator(lines.begin() + std::ptrdiff_t(kept)),
                  std::make_move_iterator(lines.end()));
  }

  const auto from = std::lower_bound(readings_.begin(), readings_.end(), first, BeforeLine);
  const auto to = std::lower_bound(from, readings_.end(), first + count, BeforeLine);
  for (auto after = to; after != readings_.end(); ++after) after->line = after->line + added - count;
  readings_.insert(readings_.erase(from, to), std::make_move_iterator(readings.begin()),
                   std::make_move_iterator(readings.end()));

  assembly_.Replace(first, count, std::move(assembled));
  Analyse();
}

const ProgramModel::Reading* ProgramModel::ReadingOf(size_t line) const {
  const auto found = std::lower_bound(readings_.begin(), readings_.end(), line, BeforeLine);
  return found != readings_.end() && found->line == line ? &*found : nullptr;
}

std::string ProgramModel::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    if (&line != &lines_.front()) text += '\n';
    text::AppendDisplayCodesUtf8(text, line);
  }
  return text;
}

void ProgramModel::Analyse() {
  analysis_ = labels::Analyse(assembly_);
  needs_ = needs::Analyse(assembly_, analysis_);
}

std::string ProgramModel::SizeOf(size_t line) const {
  const std::optional<size_t> program = labels::ProgramOf(analysis_, line);
  if (!program) return TotalSize();
  const labels::Program& p = analysis_.programs[*program];
  return encoder::SizeText({{p.first, p.end, p.size}});
}

std::string ProgramModel::TotalSize() const {
  std::vector<encoder::ProgramSpan> spans;
  spans.reserve(analysis_.programs.size());
  for (const labels::Program& p : analysis_.programs) spans.push_back({p.first, p.end, p.size});
  return encoder::SizeText(spans);
}

std::string ProgramModel::Listing() const {
  const std::vector<std::uint8_t> bytes = assembly_.Bytes();
  return listing::WriteListingOf(decoder::Decode(bytes));
}

std::string ProgramModel::ProgramName(size_t program) const {
  const std::optional<std::string> global = labels::FirstGlobalOf(analysis_, program);
  if (!global) return "program " + std::to_string(program + 1);
  return text::DisplayCodesUtf8(labels::Shown(labels::LabelKind::kGlobal, *global));
}

std::vector<OutlineProgram> ProgramModel::Outline() const {
  std::vector<OutlineProgram> outline;
  outline.reserve(analysis_.programs.size());
  for (size_t p = 0; p < analysis_.programs.size(); ++p) {
    const labels::Program& program = analysis_.programs[p];
    outline.push_back({ProgramName(p),
                       program.first,
                       program.end,
                       program.size,
                       program.steps,
                       needs::Summary(needs_.Of(p), analysis_),
                       {}});
    for (const auto& [line, shown] : labels::LabelsOf(analysis_, p))
      outline.back().labels.push_back({line, text::DisplayCodesUtf8(shown)});
  }
  return outline;
}

Place ProgramModel::PlaceOf(size_t line) const {
  const encoder::Assembly::Place at = assembly_.PlaceOf(line);
  return {labels::ProgramOf(analysis_, line), at.step, at.offset};
}

}  // namespace orrikey::editing
