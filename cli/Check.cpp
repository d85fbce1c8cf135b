#include "cli/Check.h"

#include <algorithm>
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

struct Diagnostic {
  size_t line;
  std::string_view severity;
  std::string message;  // display codes
};

std::vector<Diagnostic> Diagnose(const document::OpenedProgram& program, const labels::Analysis& analysis) {
  std::vector<Diagnostic> found;
  for (const listing::ListingError& refused : program.refused)
    found.push_back({refused.fileLine, "error",
                     std::string(encoder::ErrorLine(encoder::EncodeError::kChar)) + ": " + refused.reason});
  for (const encoder::Assembly::Line& line : program.assembly.lines())
    if (line.assembled.error)
      // A raw file fails only where its bytes stop mid-instruction.
      found.push_back({line.sourceLine, "error",
                       std::string(program.form == document::FileForm::kRaw
                                       ? decoder::kErrorLine
                                       : encoder::ErrorLine(*line.assembled.error))});
  for (const labels::Warning& warning : analysis.warnings)
    found.push_back({program.assembly.lines()[warning.line].sourceLine,
                     labels::IsNote(warning) ? "note" : "warning",
                     labels::WarningMessage(warning, program.assembly)});
  std::stable_sort(found.begin(), found.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
  return found;
}

}  // namespace

int Check(const std::vector<std::string>& files, std::string& out) {
  int worst = kOk;
  for (const std::string& file : files) {
    const auto program = Open(file);
    if (!program) {
      worst = kUsageOrFileError;
      continue;
    }
    for (const Diagnostic& diagnostic : Diagnose(*program, labels::Analyse(program->assembly))) {
      out += file + ":" + std::to_string(diagnostic.line) + ": " + std::string(diagnostic.severity) + ": ";
      // The reasons of refused listing lines are UTF-8 already.
      if (diagnostic.severity == "error") out += diagnostic.message;
      else text::AppendDisplayCodesUtf8(out, diagnostic.message);
      out += '\n';
      if (diagnostic.severity != "note") worst = std::max(worst, kConversionFailed);
    }
  }
  return worst;
}

int ListPrograms(const std::string& file, std::string& out) {
  const auto program = Open(file);
  if (!program) return kUsageOrFileError;
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
      out += std::string(2 + width - number.size(), ' ') + number + " LBL ";
      text::AppendDisplayCodesUtf8(out, labels::Shown(l.kind, l.name));
      out += '\n';
    }
  }
  return kOk;
}

}  // namespace orrikey::cli
