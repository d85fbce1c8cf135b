#include "cli/Check.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "cli/ExitStatus.h"
#include "decoder/Decode.h"
#include "document/OpenProgram.h"
#include "labels/Labels.h"
#include "text/CodePage.h"

namespace orrikey::cli {
namespace {

std::optional<document::OpenedProgram> Open(const std::string& file) {
  try {
    return document::OpenProgram(file);
  } catch (const std::runtime_error& error) {
    std::cerr << "orrikey-cli: " << error.what() << "\n";
    return std::nullopt;
  }
}

// The report gathered up to a chunk, then printed.
class Report {
 public:
  explicit Report(const Print& print) : print_(print) {}

  std::string& text() { return text_; }
  // Prints what has gathered once it fills a chunk, or all of it at the end.
  bool Pass(bool end = false) {
    constexpr size_t kChunk = 1 << 16;
    if (!end && text_.size() < kChunk) return true;
    const bool printed = print_(text_);
    text_.clear();
    return printed;
  }

 private:
  const Print& print_;
  std::string text_;
};

// Adds "FILE:LINE: SEVERITY: " before a message.
void Start(Report& report, const std::string& file, size_t line, std::string_view severity) {
  report.text().append(file).append(":").append(std::to_string(line)).append(": ").append(severity).append(": ");
}

// The refused listing lines, the lines that do not convert and the label
// warnings of one file, merged in line order; where they share a line, in
// that order. Gives the status they call for, or nothing when printing failed.
std::optional<int> Diagnose(const std::string& file, const document::OpenedProgram& program,
                            const labels::Analysis& analysis, Report& report) {
  const std::vector<encoder::Assembly::Line>& lines = program.assembly.lines();
  auto refused = program.refused.begin();
  auto warning = analysis.warnings.begin();
  size_t failed = 0;
  const auto skipConverted = [&] {
    while (failed < lines.size() && !lines[failed].assembled.failed()) ++failed;
  };
  skipConverted();
  int status = kOk;
  for (;;) {
    const size_t refusedLine = refused != program.refused.end() ? refused->fileLine : SIZE_MAX;
    const size_t failedLine = failed < lines.size() ? lines[failed].sourceLine : SIZE_MAX;
    const size_t warningLine = warning != analysis.warnings.end() ? lines[warning->line].sourceLine : SIZE_MAX;
    const size_t line = std::min({refusedLine, failedLine, warningLine});
    if (line == SIZE_MAX) return status;
    std::string& text = report.text();
    if (refusedLine == line) {
      // The reasons of refused listing lines are UTF-8 already.
      Start(report, file, line, "error");
      text.append(encoder::ErrorLine(encoder::EncodeError::kChar)).append(": ").append(refused->reason);
      ++refused;
      status = kConversionFailed;
    } else if (failedLine == line) {
      const encoder::AssembledLine& assembled = lines[failed].assembled;
      Start(report, file, line, "error");
      // A raw file fails only where its bytes stop mid-instruction.
      if (program.form == document::FileForm::kRaw) {
        text.append(decoder::kErrorLine);
      } else {
        text.append(encoder::ErrorLine(*assembled.error));
        if (const std::string reason = encoder::FailureReason(assembled); !reason.empty())
          text.append(": ").append(reason);
      }
      ++failed;
      skipConverted();
      status = kConversionFailed;
    } else {
      const bool note = labels::IsNote(*warning);
      Start(report, file, line, note ? "note" : "warning");
      text::AppendDisplayCodesUtf8(text, labels::WarningMessage(*warning, program.assembly));
      ++warning;
      if (!note) status = kConversionFailed;
    }
    text += '\n';
    if (!report.Pass()) return std::nullopt;
  }
}

}  // namespace

int Check(const std::vector<std::string>& files, const Print& print) {
  Report report(print);
  int worst = kOk;
  for (const std::string& file : files) {
    const auto program = Open(file);
    if (!program) {
      worst = kUsageOrFileError;
      continue;
    }
    const std::optional<int> status = Diagnose(file, *program, labels::Analyse(program->assembly), report);
    if (!status) return kUsageOrFileError;
    worst = std::max(worst, *status);
  }
  return report.Pass(true) ? worst : kUsageOrFileError;
}

int ListPrograms(const std::string& file, const Print& print) {
  const auto program = Open(file);
  if (!program) return kUsageOrFileError;
  Report report(print);
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
