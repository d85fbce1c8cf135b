#pragma once

// What the Program Tool offers: the instructions by calculator menu, the
// instructions with an operand, the flag table, and the text each pick types.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::reference {

// The header lines of the groups (from "-ALPHA" on), in list order.
std::vector<std::string> FixMenuGroups();

// The members of the group with the header, as the menu shows them, in list
// order. Given a member instead, the members after it in each group it stands
// in (CLA stands in ALPHA and CLEAR). Members are named as program text
// writes them (DATE+ for DATE_PLUS).
std::vector<std::string> FixMenuMembers(std::string_view text);

// The names of the instructions that take an operand as program text writes
// them (RCL× for RCLx), in table order: the Program Tool's operand page
// offers the first of them.
std::vector<std::string_view> OperandInstructionNames();

// The calculator's flags with their state after a machine reset and after a
// memory clear: tab-separated UTF-8 lines, one per row (ALLΣ holds the only
// character beyond ASCII), with a note line under a few rows.
std::span<const std::string_view> FlagTable();

// The text that a pick of the Program Tool (a menu member or a grid cell)
// types into the program: for a pick that shows only a label, the text of
// its instruction; otherwise the pick itself.
std::string PickedText(std::string_view shown);

}  // namespace orrikey::reference
