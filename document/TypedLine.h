#pragma once

// A line of program text as a person means it, wherever it comes from: the
// editor, the page, a program text file. It is read as program text first
// and, when that fails, in the spellings a listing may use ("X<=Y?", "1E3",
// "STO* 05", "SIGMA+", "SF 5"), so that a program means the same whether it
// is typed, pasted, opened or converted.

#include <string>
#include <string_view>

#include "encoder/Encoder.h"

namespace orrikey::document {

struct TypedLine {
  encoder::AssembledLine assembled;
  // The line in program text's own spelling ("X≤Y?" in display codes) when
  // it was read in a listing's; empty when it reads as it stands.
  std::string spelled;
};

// `codes`: the line in display codes. A line that fails both ways keeps the
// failure of its reading as program text.
TypedLine ReadTypedLine(std::string_view codes);

}  // namespace orrikey::document
