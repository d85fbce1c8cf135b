#pragma once

// A failed line's fault in words, and the columns it stands in, for an
// editor to mark and say. The error line of the hex listing names only the
// kind of fault; this says which columns of the line are wrong and why.

#include <cstddef>
#include <string>
#include <string_view>

#include "encoder/Encoder.h"

namespace orrikey::encoder {

// Where a failed line goes wrong and why.
struct Fault {
  size_t begin = 0;  // columns of the line as given (bytes of display codes), [begin, end)
  size_t end = 0;
  std::string message;  // UTF-8, lower case first, no final full stop
};

// `line` is the whole line exactly as given to AssembleLine (comment, blanks
// and all) and `assembled` what AssembleLine gave for it, which failed. The
// line is read again, by the encoder's own rules, only for such a line; a
// line that did not fail has no fault, and an empty message.
Fault ExplainFailure(std::string_view line, const AssembledLine& assembled);

}  // namespace orrikey::encoder
