#include "needs/Needs.h"

namespace orrikey::needs {

std::string Summary(const ProgramNeeds& program, const labels::Analysis& analysis) {
  std::string out = "needs SIZE " + std::to_string(SizeNeeded(program).size);
  if (program.indirectCount > 0) out += " at least";
  out += "; HP-42S: ";
  if (program.todayCount == 0) return out + "yes";
  return out + "no, " + std::to_string(program.todayCount) +
         (program.todayCount == 1 ? " line uses" : " lines use") + " today's instructions (first at line " +
         std::to_string(analysis.SourceLine(program.firstToday)) + ")";
}

}  // namespace orrikey::needs
