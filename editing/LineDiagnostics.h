#pragma once

// What is wrong or worth knowing on one line, from the line alone and the
// label index of its file: the editing model asks it of the lines it holds,
// the command line of each line as it reads a file, so the two never
// disagree.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/Encoder.h"
#include "labels/Labels.h"
#include "needs/Needs.h"

namespace orrikey::editing {

enum class Severity : unsigned char { kError, kWarning, kNote };

struct Diagnostic {
  size_t line = 0;
  size_t begin = 0;  // columns [begin, end)
  size_t end = 0;
  Severity severity = Severity::kError;
  std::string message;
  // The whole line rewritten, where the fix is certain; else empty.
  std::string fix;
};

// What reading a line found besides its codes.
struct LineReading {
  std::string spelled;  // display codes: the program text's spelling, when read in a listing's
  // The first character of no calculator code, which fails the line, and
  // its column; the codes leave such characters out.
  char32_t refused = 0;
  size_t refusedColumn = 0;
};

// The error of a line that does not assemble, the label warning or note,
// what the line says of its program's needs (an instruction the target
// lacks, a SIZE too small, the SIZE the program needs), and the program
// text's spelling of a line written in a listing's, in that order.
std::vector<Diagnostic> DiagnoseLine(size_t line, std::string_view codes,
                                     const encoder::AssembledLine& assembled, const LineReading* reading,
                                     const labels::Analysis& analysis, const needs::Needs& needs,
                                     needs::Target target = needs::Target::kToday);

}  // namespace orrikey::editing
