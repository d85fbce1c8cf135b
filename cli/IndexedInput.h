#pragma once

// A program file read for a report on its lines: its bytes are held, and a
// first reading of its lines, keeping nothing of each, indexes its labels
// and what its programs need;
// the report then reads the lines again, one at a time, and writes as it
// goes, so that it takes memory in proportion to the file and not to the
// lines it holds or the report it makes.

#include <optional>
#include <string>

#include "document/OpenProgram.h"
#include "labels/Labels.h"
#include "needs/Needs.h"

namespace orrikey::cli {

struct IndexedInput {
  std::string file;
  std::string bytes;
  document::FileForm form = document::FileForm::kRaw;
  labels::Analysis analysis;
  needs::Needs needs;

  // Reads the lines again, as the first reading read them.
  document::LinesRead ReadLines(const document::TakeProgramLine& take,
                                const listing::TakeError& refuse) const;
};

// Nothing when the file cannot be read, which standard error is told.
std::optional<IndexedInput> IndexInput(const std::string& file);

}  // namespace orrikey::cli
