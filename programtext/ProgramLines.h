#pragma once

// Decoded bytes as the editor shows them.

#include <string>
#include <vector>

#include "decoder/Reader.h"

namespace orrikey::programtext {

// One line of display codes per instruction, with the calculator's names,
// then decoder::kErrorLine where decoding stopped.
std::vector<std::string> ProgramLines(const decoder::Decoded& decoded);

}  // namespace orrikey::programtext
