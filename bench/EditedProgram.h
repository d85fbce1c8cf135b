// The program the editing benchmarks type into: 10,000 lines of the kinds a
// real program holds, as UTF-8 text, ending in END.

#pragma once

#include <string>
#include <vector>

#include "CycledProgram.h"
#include "text/CodePage.h"

inline std::string EditedProgramText() {
  const std::vector<std::string> kinds = {
      "LBL \"MAIN\"", "INPUT \"N\"", "STO 05", "RCL IND ST X", "X\x89Y?",     "GTO 01",
      "STO\xA0 07",   "1.5\x98-3",   "\x85+",  "\"ROOT\"",     "XEQ \"SUB\"", "LBL 01",
      "ISG 00",       "CLX",         "ENTER",  "VIEW \"X\"",   "FIX 04",      "RTN"};
  std::string text;
  for (const std::string& line : CycledProgram(kinds, 9'999)) {
    orrikey::text::AppendDisplayCodesUtf8(text, line);
    text += '\n';
  }
  return text + "END";
}
