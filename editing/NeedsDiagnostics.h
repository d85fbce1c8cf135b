#pragma once

// What a line says about what its program needs of the calculator: an
// instruction the target lacks, a SIZE the program outgrows, and on the line
// that speaks for a program, the SIZE it needs and, for the HP-42S, the
// memory the file's programs take.

#include <cstddef>
#include <string_view>
#include <vector>

#include "editing/LineDiagnostics.h"
#include "needs/Needs.h"

namespace orrikey::editing {

void DiagnoseNeeds(size_t line, std::string_view codes, const encoder::AssembledLine& assembled,
                   const labels::Analysis& analysis, const needs::Needs& needs, needs::Target target,
                   std::vector<Diagnostic>& found);

// The instruction of the line, without blanks and comment, as columns.
std::pair<size_t, size_t> InstructionColumns(std::string_view codes);

}  // namespace orrikey::editing
