// A program text assembled whole: comments, failed lines and their messages,
// the programs and their steps, and edits that keep the totals.

#include <gtest/gtest.h>

#include "encoder/Assembly.h"

namespace orrikey::encoder {
namespace {

using Lines = std::vector<std::string>;

Lines HexRows(const Assembly& assembly) {
  Lines rows;
  for (const Assembly::Line& line : assembly.lines()) rows.push_back(HexRow(line.assembled));
  return rows;
}

TEST(Assembly, KeepsEveryLineInItsPlace) {
  const Assembly assembly =
      Assemble({"LBL \"AB\"", "", "  CLX @ clear", "@ note", "FOO", "STO 5 @ \"x\"", "END"});
  EXPECT_EQ(HexRows(assembly),
            (Lines{"C000F3004142", "", "77", "", "------ err opcode", "------ err par", "C0000D"}));
  EXPECT_EQ(assembly.size(), 10u);
  EXPECT_EQ(assembly.FailedLines(), (std::vector<size_t>{4, 5}));
  const Assembly::Line& failed = assembly.lines()[5];
  EXPECT_EQ(FailureMessage(failed.sourceLine, *failed.assembled.error), "Line: 6 ------ err par");
  EXPECT_EQ(FailureMessage(2, EncodeError::kChar, "The character ☃ has no calculator code"),
            "Line: 2 ------ err char: The character ☃ has no calculator code");
}

// Lines after the last END that hold no instruction are no program.
TEST(Assembly, SaysItsSizeAsTheCalculatorDoes) {
  const struct {
    std::vector<std::string> lines;
    std::string size;
  } rows[] = {
      {{}, ""},
      {{"", "@ nothing"}, ""},
      {{"CLX", "END"}, "{ 1-Byte Prgm }"},
      {{"CLX", "END", "", "@ after"}, "{ 1-Byte Prgm }"},
      {{"CLX", "END", "LBL \"A\"", "ENTER"}, "7 bytes in 2 programs"},
  };
  for (const auto& row : rows) EXPECT_EQ(SizeText(Assemble(row.lines).Programs()), row.size) << row.size;
}

TEST(Assembly, SplitsIntoProgramsAtEnd) {
  const Assembly assembly = Assemble({"LBL \"A\"", "@ x", "1", "END", "CLX", "FOO", "ENTER"});
  const std::vector<ProgramSpan> programs = assembly.Programs();
  ASSERT_EQ(programs.size(), 2u);
  EXPECT_EQ(programs[0].first, 0u);
  EXPECT_EQ(programs[0].end, 4u);
  EXPECT_EQ(programs[0].size, 7u);  // without its END, as the calculator counts
  EXPECT_EQ(programs[1].first, 4u);
  EXPECT_EQ(programs[1].end, 7u);
  EXPECT_EQ(programs[1].size, 2u);
  // Asked from any line on, the places are those of the whole program.
  const std::vector<size_t> steps = {1, 0, 2, 3, 1, 0, 2}, offsets = {0, 5, 5, 7, 0, 1, 1};
  for (size_t first = 0; first < steps.size(); ++first) {
    const std::vector<Assembly::Place> places = assembly.PlacesOf(first, 100);
    ASSERT_EQ(places.size(), steps.size() - first);
    for (size_t i = first; i < steps.size(); ++i) {
      EXPECT_EQ(places[i - first].step, steps[i]) << i;
      EXPECT_EQ(places[i - first].offset, offsets[i]) << i;
    }
  }
}

// The editor replaces the lines an edit touched; the totals follow, and the
// lines below move as the edit moved them.
TEST(Assembly, ReplacesLinesKeepingTheTotals) {
  Assembly assembly = Assemble({"CLX", "FOO", "ENTER", "END"});
  assembly.Replace(1, 1, {{2, AssembleLine("1")}, {3, AssembleLine("2")}});
  EXPECT_EQ(HexRows(assembly), (Lines{"77", "1100", "1200", "83", "C0000D"}));
  EXPECT_EQ(assembly.size(), 9u);
  EXPECT_EQ(assembly.failureCount(), 0u);
  EXPECT_EQ(assembly.lines().back().sourceLine, 5u);
  assembly.Replace(0, 3, {{1, AssembleLine("BAR")}});
  EXPECT_EQ(assembly.size(), 4u);
  EXPECT_EQ(assembly.failureCount(), 1u);
  EXPECT_EQ(assembly.lines().back().sourceLine, 3u);
  EXPECT_EQ(assembly.Bytes(), (std::vector<std::uint8_t>{0x83, 0xC0, 0x00, 0x0D}));
}

}  // namespace
}  // namespace orrikey::encoder
