#include "cli/IndexedInput.h"

#include <stdexcept>

#include "cli/Messages.h"
#include "files/FileIO.h"

namespace orrikey::cli {

document::LinesRead IndexedInput::ReadLines(const document::TakeProgramLine& take,
                                            const listing::TakeError& refuse) const {
  return document::ReadProgramLines(file, bytes, document::OpenAs::kAny, take, refuse);
}

std::optional<IndexedInput> IndexInput(const std::string& file) {
  try {
    IndexedInput input{file, files::ReadWholeFile(file), {}, {}, {}};
    labels::Analyser analyser;
    needs::Analyser needs;
    input.form = input
                     .ReadLines(
                         [&](document::ProgramLine& line) {
                           analyser.Add(line.fileLine, line.assembled);
                           needs.Add(line.assembled);
                         },
                         [](listing::ListingError) {})
                     .form;
    input.analysis = analyser.Finish();
    input.needs = needs.Finish(input.analysis);
    return input;
  } catch (const std::runtime_error& error) {
    FileError(error);
    return std::nullopt;
  }
}

}  // namespace orrikey::cli
