// encode: program text or a listing to its hex listing on standard output,
// and with -o to a raw file.

#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <string>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/EachInput.h"
#include "cli/ExitStatus.h"
#include "cli/Input.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "document/OpenProgram.h"
#include "encoder/Assembly.h"

namespace orrikey::cli {
namespace {

constexpr std::string_view kRawExtension = ".raw";

// One hex line per program line, and an error line in the place of a line
// the listing reader refused; the messages name the file's own lines.
int EncodeOne(const Arguments& arguments, const std::string& input) {
  std::string text;
  try {
    text = ReadTextInput(input);
  } catch (const std::runtime_error& error) {
    return FileError(error);
  }
  const bool several = arguments.inputs.size() > 1;
  const document::OpenedProgram program = document::ReadProgramText(text);
  // One row per instruction, and an error row where the listing reader
  // refused a line, in the order of the file.
  std::string hexListing;
  if (several) hexListing = "==> " + input + " <==\n";
  // Two digits a byte and a line break a row, grown once.
  hexListing.reserve(hexListing.size() + 2 * program.assembly.size() + program.assembly.lines().size());
  // The raw file, gathered in the same pass.
  std::string raw;
  raw.reserve(program.assembly.size());
  std::string messages;
  bool rows = false;
  auto refused = program.refused.begin();
  const auto addRefusedBefore = [&](size_t fileLine) {
    for (; refused != program.refused.end() && refused->fileLine < fileLine; ++refused) {
      hexListing.append(encoder::ErrorLine(encoder::EncodeError::kChar)).append("\n");
      messages +=
          encoder::FailureMessage(refused->fileLine, encoder::EncodeError::kChar, refused->reason) + "\n";
      rows = true;
    }
  };
  for (const encoder::Assembly::Line& line : program.assembly.lines()) {
    // Blank and comment lines of program text hold no instruction.
    if (!line.assembled.failed() && line.assembled.bytes.empty()) continue;
    addRefusedBefore(line.sourceLine);
    encoder::AppendHexRow(hexListing, line.assembled);
    hexListing += '\n';
    if (line.assembled.error) messages += encoder::FailureMessage(line.sourceLine, line.assembled) + "\n";
    else raw.append(reinterpret_cast<const char*>(line.assembled.bytes.data()), line.assembled.bytes.size());
    rows = true;
  }
  addRefusedBefore(SIZE_MAX);
  const bool failed = program.assembly.failureCount() > 0 || !program.refused.empty();
  const auto path = OutputPath(arguments.output, input, kRawExtension);
  if ((!path || *path != kStandardStream) && !PrintOut(hexListing)) return kUsageOrFileError;
  if (several && !messages.empty()) std::cerr << input << ":\n";
  std::cerr << messages;
  if (failed) return kConversionFailed;
  if (path)
    if (const int status = WriteOutput(*path, raw)) return status;
  // The size tells of a program that is now where it was asked for.
  if (rows) std::cerr << encoder::SizeText(program.assembly.Programs()) << "\n";
  return kOk;
}

}  // namespace

int Encode(std::span<const std::string> args) {
  std::string problem;
  const auto arguments = ParseArguments(args, {}, "a file", problem);
  if (!arguments) return Usage(problem);
  return ConvertEach(*arguments, kRawExtension,
                     [&](const std::string& input) { return EncodeOne(*arguments, input); });
}

}  // namespace orrikey::cli
