// check: "FILE:LINE:COLUMN: error: ..." for each line that does not convert,
// "...: warning: ..." for each label warning and "...: note: ..." for each
// note, in line order, as the editors show them, then one line that sums up
// the run. Notes alone leave the status clean.

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/IndexedInput.h"
#include "cli/Input.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "decoder/Reader.h"
#include "document/OpenProgram.h"
#include "editing/LineDiagnostics.h"
#include "needs/Needs.h"

namespace orrikey::cli {
namespace {

// "FILE:LINE:COLUMN: SEVERITY: " before a message, the column counting from 1.
void Start(Report& report, const std::string& file, size_t line, size_t column, std::string_view severity) {
  report.text()
      .append(file)
      .append(":")
      .append(std::to_string(line))
      .append(":")
      .append(std::to_string(column));
  report.text().append(": ").append(severity).append(": ");
}

// What the run found, for its last line.
struct Tally {
  size_t files = 0;
  size_t programs = 0;
  size_t counts[3] = {};  // by severity: errors, warnings, notes
};

std::string Counted(size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// What is found on each line, and the refused listing lines among them, in
// line order. Gives the status they call for, or nothing when printing failed.
std::optional<int> Diagnose(const IndexedInput& input, needs::Target target, Report& report, Tally& tally) {
  static const char* const kSeverity[] = {"error", "warning", "note"};
  int status = kOk;
  bool printed = true;
  size_t index = 0;
  const auto refuse = [&](const listing::ListingError& refusal) {
    if (!printed) return;
    // The reasons of refused listing lines are UTF-8 already.
    Start(report, input.file, refusal.fileLine, 1, "error");
    report.text().append(refusal.reason).append("\n");
    status = kConversionFailed;
    ++tally.counts[int(editing::Severity::kError)];
    printed = report.Pass();
  };
  const auto diagnose = [&](document::ProgramLine& line) {
    const size_t at = index++;
    if (!printed) return;
    const editing::LineReading reading{std::move(line.spelled), 0, 0};
    const std::vector<editing::Diagnostic> diagnostics =
        editing::DiagnoseLine(at, line.codes, line.assembled, reading.spelled.empty() ? nullptr : &reading,
                              input.analysis, input.needs, target);
    for (const editing::Diagnostic& diagnostic : diagnostics) {
      Start(report, input.file, line.fileLine, diagnostic.begin + 1, kSeverity[int(diagnostic.severity)]);
      // A raw file fails to convert only where its bytes stop mid-instruction.
      const bool stop = input.form == document::FileForm::kRaw && line.assembled.failed() &&
                        diagnostic.severity == editing::Severity::kError;
      report.text().append(stop ? std::string(decoder::kErrorLine) : diagnostic.message).append("\n");
      if (diagnostic.severity != editing::Severity::kNote) status = kConversionFailed;
      ++tally.counts[int(diagnostic.severity)];
      if (!(printed = report.Pass())) return;
    }
  };
  input.ReadLines(diagnose, refuse);
  if (!printed) return std::nullopt;
  return status;
}

}  // namespace

int Check(std::span<const std::string> args) {
  needs::Target target = needs::Target::kToday;
  const ValueOption options[] = {
      {"--target", [&target](const std::string& name, Arguments&) -> std::optional<std::string> {
         const std::optional<needs::Target> named = needs::TargetNamed(name);
         if (!named) return "unknown target '" + name + "' (hp42s or today)";
         target = *named;
         return std::nullopt;
       }}};
  std::string problem;
  const std::optional<Arguments> arguments = ParseArguments(args, options, "a file", problem);
  if (!arguments) return Usage(problem);
  if (arguments->output) return Usage("check writes no file: -o is not one of its options");
  Report report;
  bool unreadable = false;
  const std::vector<std::string> files = ExpandFolders(arguments->inputs, unreadable);
  int worst = unreadable ? kUsageOrFileError : kOk;
  Tally tally;
  for (const std::string& file : files) {
    const std::optional<IndexedInput> input = IndexInput(file);
    if (!input) {
      worst = kUsageOrFileError;
      continue;
    }
    const std::optional<int> status = Diagnose(*input, target, report, tally);
    if (!status) return kUsageOrFileError;
    worst = std::max(worst, *status);
    ++tally.files;
    tally.programs += input->analysis.programs.size();
  }
  report.text() += Counted(tally.files, "file") + ", " + Counted(tally.programs, "program") + ", " +
                   Counted(tally.counts[0], "error") + ", " + Counted(tally.counts[1], "warning") + ", " +
                   Counted(tally.counts[2], "note") + "\n";
  return report.Pass(true) ? worst : kUsageOrFileError;
}

}  // namespace orrikey::cli
