// The group and instruction pickers over the menu list.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/MenuGroups.h"

namespace orrikey {
namespace {

using Lines = std::vector<std::string>;

TEST(FixMenuGroups, HeadersInListOrderEachWithMembers) {
  const Lines groups = FixMenuGroups();
  ASSERT_EQ(groups.size(), 21u);
  EXPECT_EQ(groups.front(), "-ALPHA");
  // The last group ends before the empty lines that close the list.
  EXPECT_EQ(FixMenuMembers(groups.back()), (Lines{"ACCEL", "LOCAT", "HEADING"}));
  size_t total = 0;
  for (const std::string& header : groups) {
    EXPECT_FALSE(FixMenuMembers(header).empty()) << header;
    total += FixMenuMembers(header).size();
  }
  EXPECT_EQ(total, 212u);
}

TEST(FixMenuMembers, ListsTheLinesUpToTheGroupEnd) {
  const struct {
    std::string text;
    Lines members;
  } rows[] = {
      {"-MENU", {"EXITALL", "MENU"}},
      // The scan goes on past the first equal line: CLA stands in two groups.
      {"CLA",
       {"POSA", "PROMPT", "STR?", "XTOA", "CLD", "CLKEYS", "CLLCD", "CLMENU", "CLP", "CLRG", "CLST",
        "CLV", "CLX", "CL\x85"}},
      {"-menu", {}},
      {"-MENU ", {}},
  };
  for (const auto& row : rows) EXPECT_EQ(FixMenuMembers(row.text), row.members) << row.text;
}

}  // namespace
}  // namespace orrikey
