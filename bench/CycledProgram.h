// Large benchmark programs made by repeating a few kinds of line.

#pragma once

#include <cstddef>
#include <string>
#include <vector>

// `lines` lines cycling through `kinds` in order.
inline std::vector<std::string> CycledProgram(const std::vector<std::string>& kinds, std::size_t lines) {
  std::vector<std::string> program;
  program.reserve(lines);
  for (std::size_t i = 0; program.size() < lines; ++i) program.push_back(kinds[i % kinds.size()]);
  return program;
}
