// programs: each program of a file, up to its END, with its lines, size and
// steps, then its labels.

#include <cstddef>
#include <span>
#include <string>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/Input.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "encoder/Assembly.h"
#include "labels/Labels.h"
#include "text/CodePage.h"

namespace orrikey::cli {

int Programs(std::span<const std::string> args) {
  if (args.size() != 2) return Usage("programs takes one file");
  const auto program = OpenProgramInput(args[1]);
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
