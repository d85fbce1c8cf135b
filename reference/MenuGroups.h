#pragma once

// The instructions by calculator menu, as the instruction picker offers them,
// and the text that each pick of the Program Tool types.

#include <string>
#include <string_view>
#include <vector>

namespace orrikey {

// The header lines of the groups (from "-ALPHA" on), in list order.
std::vector<std::string> FixMenuGroups();

// For every line of the menu list that equals the text, the lines after it up
// to (not including) the next "@", in list order. The scan goes on after the
// first equal line, so a text that stands in several places collects the
// lines after each of them.
std::vector<std::string> FixMenuMembers(std::string_view groupHeader);

// The text that a pick of the Program Tool (a menu member or a grid cell)
// types into the program: for a pick that shows only a label, the text of
// its instruction; otherwise the pick itself.
std::string PickedText(std::string_view shown);

}  // namespace orrikey
