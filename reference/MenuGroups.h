#pragma once

// The fixed instructions by calculator menu, as the instruction picker offers them.

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

}  // namespace orrikey
