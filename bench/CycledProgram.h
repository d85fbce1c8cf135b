// Large benchmark programs made by repeating a few kinds of line.

#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Numbers, texts and every operand form, as program text: the lines both
// directions of a conversion are measured on.
inline const std::vector<std::string> kOperandForms = {
    "123.45",       "-1.5\x98-12",     ".5",           "\"HELLO\"",        "\"A\x85\"",
    "STO 05",       "STO 42",          "RCL ST X",     "RCL IND ST L",     "STO+ IND 07",
    "LBL \"MAIN\"", "GTO A",           "XEQ e",        "LBL 14",           "GTO 15",
    "XEQ \"SUB\"",  "GTO IND \"PTR\"", "KEY 1 XEQ 99", "KEY 2 GTO \"AB\"", "ASSIGN \"FN\" TO 05",
    "FIX 11",       "\x9F \"TXT\"",
};

// `lines` lines cycling through `kinds` in order.
inline std::vector<std::string> CycledProgram(const std::vector<std::string>& kinds, std::size_t lines) {
  std::vector<std::string> program;
  program.reserve(lines);
  for (std::size_t i = 0; program.size() < lines; ++i) program.push_back(kinds[i % kinds.size()]);
  return program;
}
