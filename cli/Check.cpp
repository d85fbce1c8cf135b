// check and programs: what the lines and labels of a file say, as text for
// standard output. A file that cannot be read is named on standard error.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "decoder/Decode.h"
#include "document/OpenProgram.h"
#include "editing/ProgramModel.h"
#include "labels/Labels.h"
#include "text/CodePage.h"

namespace orrikey::cli {
namespace {

std::optional<document::OpenedProgram> Open(const std::string& file) {
  try {
    return document::OpenProgram(file);
  } catch (const std::runtime_error& error) {
    FileError(error);
    return std::nullopt;
  }
}

// The report gathered up to a chunk, then printed, so that a report never
// grows with its file.
class Report {
 public:
  std::string& text() { return text_; }
  // Prints what has gathered once it fills a chunk, or all of it at the end.
  bool Pass(bool end = false) {
    constexpr size_t kChunk = 1 << 16;
    if (!end && text_.size() < kChunk) return true;
    const bool printed = PrintOut(text_);
    text_.clear();
    return printed;
  }

 private:
  std::string text_;
};

// "FILE:LINE:COLUMN: SEVERITY: " before a message, the column counting from 1.
void Start(Report& report, const std::string& file, size_t line, size_t column, std::string_view severity) {
  report.text().append(file).append(":").append(std::to_string(line)).append(":").append(std::to_string(column));
  report.text().append(": ").append(severity).append(": ");
}

// The refused listing lines and what the model finds on each line, merged in
// line order. Gives the status they call for, or nothing when printing failed.
std::optional<int> Diagnose(const std::string& file, const document::FileForm form,
                            const std::vector<listing::ListingError>& refused,
                            const editing::ProgramModel& model, Report& report) {
  static const char* const kSeverity[] = {"error", "warning", "note"};
  auto refusal = refused.begin();
  int status = kOk;
  const auto printRefused = [&](size_t before) {
    for (; refusal != refused.end() && refusal->fileLine < before; ++refusal) {
      // The reasons of refused listing lines are UTF-8 already.
      Start(report, file, refusal->fileLine, 1, "error");
      report.text().append(refusal->reason).append("\n");
      status = kConversionFailed;
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
  int worst = kOk;
  for (const std::string& file : args.subspan(1)) {
    auto program = Open(file);
    if (!program) {
      worst = kUsageOrFileError;
      continue;
    }
    const document::FileForm form = program->form;
    const std::vector<listing::ListingError> refused = std::move(program->refused);
    const editing::ProgramModel model(std::move(*program));
    const std::optional<int> status = Diagnose(file, form, refused, model, report);
    if (!status) return kUsageOrFileError;
    worst = std::max(worst, *status);
  }
  return report.Pass(true) ? worst : kUsageOrFileError;
}

int Programs(std::span<const std::string> args) {
  if (args.size() != 2) return Usage("programs takes one file");
  const auto program = Open(args[1]);
  if (!program) return kUsageOrFileError;
  Report report;
  std::string& out = report.text();
  const encoder::Assembly& assembly = program->assembly;
  const labels::Analysis analysis = labels::Analyse(assembly);
  const auto lineOf = [&](size_t index) { return std::to_string(assembly.lines()[index].sourceLine); };
  // Label lines right-aligned, the widest number being the file's last line.
  const size_t width = assembly.lines().empty() ? 0 : lineOf(assembly.lines().size() - 1).size();
  size_t label = 0;
  for (size_t i = 0; i < analysis.programs.size(); ++i) {
    const labels::Program& p = analysis.programs[i];
    out += "Program " + std::to_string(i + 1) + ", lines " + lineOf(p.first) + "-" + lineOf(p.end - 1) +
           ": { " + std::to_string(p.size) + "-Byte Prgm }, " + std::to_string(p.steps) + " steps\n";
    for (; label < analysis.labels.size() && analysis.labels[label].program == i; ++label) {
      const labels::Label& l = analysis.labels[label];
      const std::string number = lineOf(l.line);
      out.append(2 + width - number.size(), ' ').append(number).append(" LBL ");
      text::AppendDisplayCodesUtf8(out, labels::Shown(l.kind, l.name));
      out += '\n';
      if (!report.Pass()) return kUsageOrFileError;
    }
  }
  return report.Pass(true) ? kOk : kUsageOrFileError;
}

}  // namespace orrikey::cli
