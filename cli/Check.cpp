// check: "FILE:LINE:COLUMN: error: ..." for each line that does not convert,
// "...: warning: ..." for each label warning and "...: note: ..." for each
// note, in line order, as the editors show them, then one line that sums up
// the run. Notes alone leave the status clean.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/Input.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "decoder/Decode.h"
#include "document/OpenProgram.h"
#include "editing/ProgramModel.h"

namespace orrikey::cli {
namespace {

// "FILE:LINE:COLUMN: SEVERITY: " before a message, the column counting from 1.
void Start(Report& report, const std::string& file, size_t line, size_t column, std::string_view severity) {
  report.text().append(file).append(":").append(std::to_string(line)).append(":").append(std::to_string(column));
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

// The refused listing lines and what the model finds on each line, merged in
// line order. Gives the status they call for, or nothing when printing failed.
std::optional<int> Diagnose(const std::string& file, const document::FileForm form,
                            const std::vector<listing::ListingError>& refused,
                            const editing::ProgramModel& model, Report& report, Tally& tally) {
  static const char* const kSeverity[] = {"error", "warning", "note"};
  auto refusal = refused.begin();
  int status = kOk;
  const auto printRefused = [&](size_t before) {
    for (; refusal != refused.end() && refusal->fileLine < before; ++refusal) {
      // The reasons of refused listing lines are UTF-8 already.
      Start(report, file, refusal->fileLine, 1, "error");
      report.text().append(refusal->reason).append("\n");
      status = kConversionFailed;
      ++tally.counts[int(editing::Severity::kError)];
      if (!report.Pass()) return false;
    }
    return true;
  };
  for (size_t line = 0; line < model.lineCount(); ++line) {
    const size_t fileLine = model.assembly().lines()[line].sourceLine;
    if (!printRefused(fileLine)) return std::nullopt;
    for (const editing::Diagnostic& diagnostic : model.DiagnosticsOn(line)) {
      Start(report, file, fileLine, diagnostic.begin + 1, kSeverity[int(diagnostic.severity)]);
      // A raw file fails only where its bytes stop mid-instruction.
      const bool stop = form == document::FileForm::kRaw && diagnostic.severity == editing::Severity::kError;
      report.text().append(stop ? std::string(decoder::kErrorLine) : diagnostic.message).append("\n");
      if (diagnostic.severity != editing::Severity::kNote) status = kConversionFailed;
      ++tally.counts[int(diagnostic.severity)];
      if (!report.Pass()) return std::nullopt;
    }
  }
  if (!printRefused(SIZE_MAX)) return std::nullopt;
  return status;
}

}  // namespace

int Check(std::span<const std::string> args) {
  if (args.size() < 2) return Usage("check needs a file");
  Report report;
  bool unreadable = false;
  const std::vector<std::string> files = ExpandFolders(args.subspan(1), unreadable);
  int worst = unreadable ? kUsageOrFileError : kOk;
  Tally tally;
  for (const std::string& file : files) {
    auto program = OpenProgramInput(file);
    if (!program) {
      worst = kUsageOrFileError;
      continue;
    }
    const document::FileForm form = program->form;
    const std::vector<listing::ListingError> refused = std::move(program->refused);
    const editing::ProgramModel model(std::move(*program));
    const std::optional<int> status = Diagnose(file, form, refused, model, report, tally);
    if (!status) return kUsageOrFileError;
    worst = std::max(worst, *status);
    ++tally.files;
    tally.programs += model.analysis().programs.size();
  }
  report.text() += Counted(tally.files, "file") + ", " + Counted(tally.programs, "program") + ", " +
                   Counted(tally.counts[0], "error") + ", " + Counted(tally.counts[1], "warning") + ", " +
                   Counted(tally.counts[2], "note") + "\n";
  return report.Pass(true) ? worst : kUsageOrFileError;
}

}  // namespace orrikey::cli
