// The group and instruction pickers over the menu list.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "reference/MenuGroups.h"

namespace orrikey::reference {
namespace {

using Lines = std::vector<std::string>;

TEST(FixMenuGroups, HeadersInListOrderEachWithMembers) {
  const Lines groups = FixMenuGroups();
  ASSERT_FALSE(groups.empty());
  EXPECT_EQ(groups.front(), "-ALPHA");
  // The last group ends before the empty lines that close the list.
  for (const std::string& header : groups) {
    const Lines members = FixMenuMembers(header);
    EXPECT_FALSE(members.empty()) << header;
    EXPECT_EQ(std::count(members.begin(), members.end(), ""), 0) << header;
  }
}

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
