#pragma once

// The operand of a line read from an instruction's bytes, as its text
// writes it, for readers that ask what the operand names.

#include <string_view>

#include "tables/Tables.h"

namespace orrikey::decoder {

// What follows the words of the instruction's name, and the key number
// after a key word: "IND 05" in "STO IND 05", "12" in "KEY 3 GTO 12".
std::string_view OperandOf(std::string_view text, const tables::ModOp& op);

}  // namespace orrikey::decoder
