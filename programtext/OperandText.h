#pragma once

// The texts of operand values, as the calculator shows them, appended to a
// line's text.

#include <string>

namespace orrikey::programtext {

void AppendDecimal(std::string& out, unsigned value);

// At least two digits, as register numbers are written: "05", "14", "100".
void AppendTwoDigits(std::string& out, unsigned value);

// The values tables::kStackBase and on are the stack registers "ST T" to "ST L".
void AppendStack(std::string& out, unsigned value);

// A local label 0 to 127: the letters A to J and a to e, the stack
// registers, else a number.
void AppendLabel(std::string& out, unsigned value);

}  // namespace orrikey::programtext
