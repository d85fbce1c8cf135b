// What is wrong or worth knowing on each line: the lines that do not
// assemble, the label warnings and notes, and the lines written in a
// listing's spelling, with the program text's spelling as their fix.

#include "editing/ProgramModel.h"

#include <algorithm>

#include "decoder/Reader.h"
#include "editing/NeedsDiagnostics.h"
#include "encoder/Explain.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace orrikey::editing {
namespace {

Diagnostic ErrorOn(size_t line, std::string_view codes, const encoder::AssembledLine& assembled,
                   const LineReading* reading) {
  if (reading && reading->refused != 0)
    return {line,
            reading->refusedColumn,
            reading->refusedColumn + 1,
            Severity::kError,
            "the character " + text::NameCharacter(reading->refused) + " has no calculator code",
            {}};
  // Where decoded bytes stop mid-instruction, the decoder writes this line.
  if (codes == decoder::kErrorLine) {
    const auto [begin, end] = InstructionColumns(codes);
    return {line, begin, end, Severity::kError, "the bytes end in the middle of an instruction", {}};
  }
  const encoder::Fault fault = encoder::ExplainFailure(codes, assembled);
  return {line, fault.begin, fault.end, Severity::kError, fault.message, {}};
}

// The label the warning names is the operand: the last of the instruction's
// words that spells it.
Diagnostic WarningOn(const labels::Warning& warning, std::string_view codes,
                     const labels::Analysis& analysis) {
  auto [begin, end] = InstructionColumns(codes);
  const size_t label = codes.substr(0, end).rfind(warning.label);
  if (label != std::string_view::npos && label >= begin) begin = label, end = label + warning.label.size();
  return {warning.line,
          begin,
          end,
          labels::IsNote(warning) ? Severity::kNote : Severity::kWarning,
          text::DisplayCodesUtf8(labels::WarningMessage(warning, analysis)),
          {}};
}

// The comment stays where the spelling changes.
Diagnostic SpellingOn(size_t line, std::string_view codes, const std::string& spelled) {
  const auto [begin, end] = InstructionColumns(codes);
  const std::string fixed = std::string(codes.substr(0, begin)) + spelled + std::string(codes.substr(end));
  return {line,
          begin,
          end,
          Severity::kNote,
          "the calculator writes this as \"" + text::DisplayCodesUtf8(spelled) + "\"",
          text::DisplayCodesUtf8(fixed)};
}

}  // namespace

std::vector<Diagnostic> DiagnoseLine(size_t line, std::string_view codes,
                                     const encoder::AssembledLine& assembled, const LineReading* reading,
                                     const labels::Analysis& analysis, const needs::Needs& needs,
                                     needs::Target target) {
  std::vector<Diagnostic> found;
  if (assembled.failed()) found.push_back(ErrorOn(line, codes, assembled, reading));
  if (const std::optional<labels::Warning> warning = labels::WarningOn(analysis, line, assembled))
    found.push_back(WarningOn(*warning, codes, analysis));
  DiagnoseNeeds(line, codes, assembled, analysis, needs, target, found);
  if (reading && !reading->spelled.empty()) found.push_back(SpellingOn(line, codes, reading->spelled));
  return found;
}

std::vector<Diagnostic> ProgramModel::DiagnosticsOn(size_t line) const {
  if (line >= lines_.size()) return {};
  return DiagnoseLine(line, lines_[line], assembly_.lines()[line].assembled, ReadingOf(line), analysis_,
                      needs_, target_);
}

std::vector<Diagnostic> ProgramModel::Diagnostics() const {
  std::vector<Diagnostic> found;
  auto reading = readings_.begin();
  for (size_t i = 0; i < lines_.size(); ++i) {
    reading = std::lower_bound(reading, readings_.end(), i, BeforeLine);
    const Reading* on = reading != readings_.end() && reading->line == i ? &*reading : nullptr;
    for (Diagnostic& diagnostic :
         DiagnoseLine(i, lines_[i], assembly_.lines()[i].assembled, on, analysis_, needs_, target_))
      found.push_back(std::move(diagnostic));
  }
  return found;
}

size_t ProgramModel::errorCount() const { return assembly_.failureCount(); }

}  // namespace orrikey::editing
