// What a front end asks at the caret: completion, help, and going by labels.

#include "editing/ProgramModel.h"

#include "editing/TypedText.h"
#include "reference/Completion.h"
#include "reference/Help.h"
#include "text/CodePage.h"
#include "text/Comment.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace orrikey::editing {
namespace {

// The help table is written in Windows-1252.
std::string Utf8FromWindows1252(std::string_view bytes) {
  std::string out;
  for (unsigned char byte : bytes) text::AppendUtf8(out, text::Windows1252Char(byte));
  return out;
}

}  // namespace

Completion ProgramModel::CompletionsAt(size_t line, size_t column) const {
  if (line >= lines_.size()) return {};
  const std::string& codes = lines_[line];
  const reference::Completions found =
      reference::CompletionsFor(std::string_view(codes).substr(0, std::min(column, codes.size())),
                                labels::LabelsInScope(analysis_, line));
  Completion completion{found.start, {}};
  completion.words.reserve(found.words.size());
  for (const std::string& word : found.words) completion.words.push_back(text::DisplayCodesUtf8(word));
  return completion;
}

// The comment aside; a line written in a listing's spelling has the help of
// the calculator's.
std::optional<std::string> ProgramModel::HelpAt(size_t line) const {
  if (line >= lines_.size()) return std::nullopt;
  const Reading* reading = ReadingOf(line);
  const std::string_view codes = reading && !reading->spelled.empty() ? reading->spelled : lines_[line];
  const std::optional<std::string> help =
      reference::HelpFor(text::Trim(text::WithoutComment(codes, text::Notation::kProgramText)));
  if (!help) return std::nullopt;
  return Utf8FromWindows1252(*help);
}

std::optional<size_t> ProgramModel::DefinitionAt(size_t line) const {
  return labels::LabelAt(analysis_, assembly_, line);
}

std::vector<size_t> ProgramModel::UsesAt(size_t line) const {
  const std::optional<size_t> label = labels::LabelAt(analysis_, assembly_, line);
  if (!label) return {};
  std::vector<size_t> lines{*label};
  for (size_t use : labels::UsesOf(analysis_, assembly_, *label)) lines.push_back(use);
  return lines;
}

// The label as its own line names it.
std::optional<std::string> ProgramModel::LabelNameAt(size_t line) const {
  const std::optional<size_t> label = labels::LabelAt(analysis_, assembly_, line);
  if (!label) return std::nullopt;
  const std::optional<labels::LabelLine> found = labels::LabelLineOf(assembly_.lines()[*label].assembled);
  return text::DisplayCodesUtf8(labels::Shown(found->kind, found->name));
}

RenameResult ProgramModel::RenameAt(size_t line, std::string_view name) const {
  const std::optional<size_t> label = labels::LabelAt(analysis_, assembly_, line);
  if (!label) return {{}, "No label or jump to a label on this line"};
  const TypedText typed = ReadTypedText(text::Trim(name));
  if (typed.refused != 0) return {{}, "The calculator has no such name: " + std::string(name)};
  const std::string& codes = typed.codes;
  const labels::RenamePlan plan = labels::PlanRename(analysis_, assembly_, *label, codes);
  if (!plan.refusal.empty()) return {{}, text::DisplayCodesUtf8(plan.refusal)};
  const labels::LabelKind kind = labels::LabelLineOf(assembly_.lines()[*label].assembled)->kind;
  RenameResult result;
  for (size_t planned : plan.lines)
    result.edits.push_back(
        {planned, text::DisplayCodesUtf8(labels::WithLabel(lines_[planned], kind, codes))});
  return result;
}

}  // namespace orrikey::editing
