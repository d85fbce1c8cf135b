// The group and instruction pickers over the menu list.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/MenuGroups.h"

namespace orrikey::reference {
namespace {

using Lines = std::vector<std::string>;

TEST(FixMenuMembers, ListsTheLinesUpToTheGroupEnd) {
  const struct {
    std::string text;
    Lines members;
  } rows[] = {
      // The scan goes on past the first equal line: CLA stands in two groups.
      {"CLA",
       {"POSA", "PROMPT", "STR?", "XTOA", "ANUM", "XVIEW", "XASTO ", "LXASTO ", "XSTR ", "CLD",
        "CLKEYS", "CLLCD", "CLMENU", "CLP", "CLRG", "CLST", "CLV", "CLX", "CL\x85"}},
      {"-menu", {}},
      {"-MENU ", {}},
  };
  for (const auto& row : rows) EXPECT_EQ(FixMenuMembers(row.text), row.members) << row.text;
}

}  // namespace
}  // namespace orrikey::reference
