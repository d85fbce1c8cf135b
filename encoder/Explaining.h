#pragma once

// The pieces of ExplainFailure. They read a line without its comment and
// blanks, and mark what is wrong in it: every view they mark points into
// that line.

#include <cstddef>
#include <string>
#include <string_view>

#include "encoder/Encoder.h"
#include "encoder/Explain.h"
#include "tables/Tables.h"

namespace orrikey::encoder {

// The fault at `marked`, in columns of `line`.
Fault Mark(std::string_view line, std::string_view marked, std::string message);

// Display codes as a message shows them: UTF-8, a long run cut short; and
// the same in quotes.
std::string Shown(std::string_view codes);
std::string Quoted(std::string_view codes);
// An instruction's name as the calculator shows it: "RCL×" for RCLx.
std::string ShownName(std::string_view name);

// Where the first blank is, or the size; the blanks that start a text.
size_t FirstBlank(std::string_view text);
std::string_view LeadingBlanks(std::string_view text);

// n with leading zeros to at least `digits` digits.
std::string Padded(unsigned n, size_t digits);

// The value of decimal digits, held at a million however many there are.
unsigned DecimalValue(std::string_view digits);

// A text that starts at `text` but is not closed where it should be: open,
// or followed by more; `what` names it ("text", "name").
Fault ExplainUnclosed(std::string_view line, std::string_view text, std::string_view what);

// The operand of an instruction the line names, by its table row; `name` is
// the start of the line that names it ("STO", "KEY 3 GTO").
Fault ExplainOperand(std::string_view line, std::string_view name, const tables::ModOp& op,
                     EncodeError error);

// A line that no instruction claims.
Fault ExplainUnknown(std::string_view line);

}  // namespace orrikey::encoder
