// The group and instruction pickers over the menu list.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/MenuGroups.h"

namespace orrikey {
namespace {

using Lines = std::vector<std::string>;

TEST(FixMenuGroups, HeadersInListOrder) {
  const Lines groups = FixMenuGroups();
  ASSERT_EQ(groups.size(), 21u);
  EXPECT_EQ(groups.front(), "-ALPHA");
  EXPECT_EQ(groups[9], "-MATRIX");
  EXPECT_EQ(groups.back(), "-SPEC");
}

struct MembersRow {
  std::string text;
  Lines members;
};

class FixMenuMembersOf : public testing::TestWithParam<MembersRow> {};

TEST_P(FixMenuMembersOf, ListsTheLinesUpToTheGroupEnd) {
  EXPECT_EQ(FixMenuMembers(GetParam().text), GetParam().members) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixMenuMembersOf,
    testing::Values(
        MembersRow{"-MENU", {"EXITALL", "MENU"}},
        MembersRow{"-SPEC", {"ACCEL", "LOCAT", "HEADING"}},
        MembersRow{"-BASE", {"BASE+", "BASE-", "BASEx", "BASE\xA0", "BASE+/-"}},
        MembersRow{"-STACK", {"LASTX", "R^", "R\xAE", "X<>Y"}},
        MembersRow{"-PROGRAM",
                   {"BEEP", "END", "ENTER", "LCLBL", "OFF", "ON", "PSE", "RTN", "R/S", "STOP", "NOP"}},
        MembersRow{"-MODES",
                   {"ALL", "BINM", "DECM", "HEXM", "OCTM", "DEG", "GRAD", "RAD", "POLAR", "RECT",
                    "RDX,", "RDX."}},
        // The scan goes on past the first equal line: CLA stands in two groups.
        MembersRow{"CLA",
                   {"POSA", "PROMPT", "STR?", "XTOA", "CLD", "CLKEYS", "CLLCD", "CLMENU", "CLP",
                    "CLRG", "CLST", "CLV", "CLX", "CL\x85"}},
        MembersRow{"-menu", {}}, MembersRow{"-MENU ", {}}));

TEST(FixMenuMembers, EveryGroupHasMembers) {
  size_t total = 0;
  for (const std::string& header : FixMenuGroups()) {
    const Lines members = FixMenuMembers(header);
    EXPECT_FALSE(members.empty()) << header;
    total += members.size();
  }
  EXPECT_EQ(total, 212u);
}

}  // namespace
}  // namespace orrikey
