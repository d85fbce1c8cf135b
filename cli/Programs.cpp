// programs: each program of a file, up to its END, with its lines, size and
// steps; on an indented line of its own, which leaves the first as scripts
// read it, the SIZE it needs and whether the original HP-42S runs it; then
// its labels.

#include <cstddef>
#include <span>
#include <string>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/IndexedInput.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "labels/Labels.h"
#include "needs/Needs.h"
#include "text/CodePage.h"

namespace orrikey::cli {
int Programs(std::span<const std::string> args) {
  if (args.size() != 2) return Usage("programs takes one file");
  const auto input = IndexInput(args[1]);
  if (!input) return kUsageOrFileError;
  Report report;
  std::string& out = report.text();
  const labels::Analysis& analysis = input->analysis;
  const auto lineOf = [&](size_t index) { return std::to_string(analysis.SourceLine(index)); };
  // Label lines right-aligned, the widest number being the file's last line.
  const size_t width = analysis.lineCount == 0 ? 0 : lineOf(analysis.lineCount - 1).size();
  size_t index = 0;
  size_t program = 0;
  bool printed = true;
  input->ReadLines(
      [&](document::ProgramLine& line) {
        const size_t at = index++;
        if (!printed) return;
        if (program < analysis.programs.size() && analysis.programs[program].first == at) {
          const labels::Program& p = analysis.programs[program++];
          out += "Program " + std::to_string(program) + ", lines " + lineOf(p.first) + "-" +
                 lineOf(p.end - 1) + ": { " + std::to_string(p.size) + "-Byte Prgm }, " +
                 std::to_string(p.steps) + " steps\n";
          out += "  " + needs::Summary(input->needs.Of(program - 1), analysis) + '\n';
          if (!(printed = report.Pass())) return;
        }
        const std::optional<labels::LabelLine> label = labels::LabelLineOf(line.assembled);
        if (!label || !label->defines) return;
        const std::string number = std::to_string(line.fileLine);
        out.append(2 + width - number.size(), ' ').append(number).append(" LBL ");
        text::AppendDisplayCodesUtf8(out, labels::Shown(label->kind, label->name));
        out += '\n';
        printed = report.Pass();
      },
      [](listing::ListingError) {});
  return printed && report.Pass(true) ? kOk : kUsageOrFileError;
}

}  // namespace orrikey::cli
