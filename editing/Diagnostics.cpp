// What is wrong or worth knowing on each line: the lines that do not
// assemble, the label warnings and notes, and the lines written in a
// listing's spelling, with the program text's spelling as their fix.

#include "editing/ProgramModel.h"

#include <algorithm>

#include "decoder/Decode.h"
#include "encoder/Explain.h"
#include "text/CodePage.h"
#include "text/Comment.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace orrikey::editing {
namespace {

// The instruction of the line, without blanks and comment, as columns.
std::pair<size_t, size_t> InstructionColumns(std::string_view codes) {
  const std::string_view code = text::Trim(text::WithoutComment(codes, text::Notation::kProgramText));
  const size_t begin = code.empty() ? 0 : size_t(code.data() - codes.data());
  return {begin, begin + code.size()};
}

}  // namespace

Diagnostic ProgramModel::ErrorOn(size_t index) const {
  const Reading* reading = ReadingOf(index);
  if (reading && reading->refused != 0)
    return {index, reading->refusedColumn, reading->refusedColumn + 1, Severity::kError,
            "the character " + text::NameCharacter(reading->refused) + " has no calculator code", {}};
  // Where decoded bytes stop mid-instruction, the decoder writes this line.
  if (lines_[index] == decoder::kErrorLine) {
    const auto [begin, end] = InstructionColumns(lines_[index]);
    return {index, begin, end, Severity::kError, "the bytes end in the middle of an instruction", {}};
  }
  const encoder::Fault fault = encoder::ExplainFailure(lines_[index], assembly_.lines()[index].assembled);
  return {index, fault.begin, fault.end, Severity::kError, fault.message, {}};
}

// The label the warning names is the operand: the last of the instruction's
// words that spells it.
Diagnostic ProgramModel::WarningOn(const labels::Warning& warning) const {
  const std::string& codes = lines_[warning.line];
  auto [begin, end] = InstructionColumns(codes);
  const size_t label = std::string_view(codes).substr(0, end).rfind(warning.label);
  if (label != std::string_view::npos && label >= begin) begin = label, end = label + warning.label.size();
  return {warning.line, begin, end, labels::IsNote(warning) ? Severity::kNote : Severity::kWarning,
          text::DisplayCodesUtf8(labels::WarningMessage(warning, assembly_)), {}};
}

// The comment stays where the spelling changes.
Diagnostic ProgramModel::SpellingOn(const Reading& reading) const {
  const std::string& codes = lines_[reading.line];
  const auto [begin, end] = InstructionColumns(codes);
  const std::string fixed = codes.substr(0, begin) + reading.spelled + codes.substr(end);
  return {reading.line, begin, end, Severity::kNote,
          "the calculator writes this as \"" + text::DisplayCodesUtf8(reading.spelled) + "\"",
          text::DisplayCodesUtf8(fixed)};
}

std::vector<Diagnostic> ProgramModel::DiagnosticsOn(size_t index) const {
  std::vector<Diagnostic> found;
  if (index >= lines_.size()) return found;
  if (assembly_.lines()[index].assembled.failed()) found.push_back(ErrorOn(index));
  const auto& warnings = analysis_.warnings;
  auto warning = std::lower_bound(warnings.begin(), warnings.end(), index,
                                  [](const labels::Warning& w, size_t n) { return w.line < n; });
  for (; warning != warnings.end() && warning->line == index; ++warning) found.push_back(WarningOn(*warning));
  if (const Reading* reading = ReadingOf(index); reading && !reading->spelled.empty())
    found.push_back(SpellingOn(*reading));
  return found;
}

std::vector<Diagnostic> ProgramModel::Diagnostics() const {
  std::vector<Diagnostic> found;
  auto warning = analysis_.warnings.begin();
  auto reading = readings_.begin();
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (assembly_.lines()[i].assembled.failed()) found.push_back(ErrorOn(i));
    for (; warning != analysis_.warnings.end() && warning->line == i; ++warning)
      found.push_back(WarningOn(*warning));
    for (; reading != readings_.end() && reading->line == i; ++reading)
      if (!reading->spelled.empty()) found.push_back(SpellingOn(*reading));
  }
  return found;
}

size_t ProgramModel::errorCount() const { return assembly_.failureCount(); }

}  // namespace orrikey::editing
