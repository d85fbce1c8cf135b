#pragma once

// A decoded instruction as program text in display codes, the 8-bit form the
// core holds program text in.

#include <string>

#include "decoder/Instruction.h"

namespace orrikey::programtext {

// Appends the line's text with the tables' names ("RCLx", "DATE_PLUS").
void AppendCodes(std::string& out, const decoder::Instruction& instruction);
std::string CodesOf(const decoder::Instruction& instruction);

// The operand's value alone, without IND and quotes: "05", "ST X", "A", the
// characters of a name.
void AppendValue(std::string& out, const decoder::Operand& operand);

}  // namespace orrikey::programtext
