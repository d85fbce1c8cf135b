#include "programtext/ProgramLines.h"

#include "programtext/Codes.h"
#include "text/CalculatorNames.h"

namespace orrikey::programtext {

std::vector<std::string> ProgramLines(const decoder::Decoded& decoded) {
  std::vector<std::string> lines;
  lines.reserve(decoded.lines.size() + 1);
  for (const decoder::Instruction& line : decoded.lines)
    text::UseCalculatorName(lines.emplace_back(CodesOf(line)));
  if (decoded.stop) lines.emplace_back(decoder::kErrorLine);
  return lines;
}

}  // namespace orrikey::programtext
