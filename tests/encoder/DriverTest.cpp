// The whole conversion: blank lines, comments, INFO lines and the caption.

#include <gtest/gtest.h>

#include "encoder/Encoder.h"

namespace orrikey {
namespace {

using Lines = std::vector<std::string>;

TEST(MakeHexCode, NoLinesChangesNothing) { EXPECT_FALSE(MakeHexCode({}).has_value()); }

TEST(MakeHexCode, OnlyBlankLinesGiveAnEmptyProgram) {
  const auto result = MakeHexCode({"", "  ", "\t"});
  ASSERT_TRUE(result);
  EXPECT_TRUE(result->programLines.empty());
  EXPECT_TRUE(result->hexLines.empty());
  EXPECT_TRUE(result->infoLines.empty());
  EXPECT_EQ(result->caption, "{ 0-Byte Prgm }");
}

TEST(MakeHexCode, ConvertsAProgram) {
  const auto result = MakeHexCode({"LBL \"AB\"", "", "1", "  ", "END"});
  ASSERT_TRUE(result);
  EXPECT_EQ(result->programLines, (Lines{"LBL \"AB\"", "1", "END"}));
  EXPECT_EQ(result->hexLines, (Lines{"C000F3004142", "1100", "C0000D"}));
  EXPECT_TRUE(result->infoLines.empty());
  EXPECT_EQ(result->caption, "{ 11-Byte Prgm }");
}

TEST(MakeHexCode, ReportsFailedLinesCountedAfterBlanksAreRemoved) {
  const auto result = MakeHexCode({"CLX", "", "FOO", "STO 5", "\"\x7F\"", "ENTER"});
  ASSERT_TRUE(result);
  EXPECT_EQ(result->hexLines,
            (Lines{"77", "------ err opcode", "------ err par", "------ err string", "83"}));
  EXPECT_EQ(result->infoLines, (Lines{"Line: 2 ------ err opcode", "Line: 3 ------ err par",
                                      "Line: 4 ------ err string"}));
  EXPECT_EQ(result->caption, "");
}

// A comment line keeps its place and writes no bytes.
TEST(MakeHexCode, KeepsProgramLinesAsWritten) {
  const auto result = MakeHexCode({"  CLX @ clear", "@ note", "\tSTO 05\t"});
  ASSERT_TRUE(result);
  EXPECT_EQ(result->programLines, (Lines{"  CLX @ clear", "@ note", "\tSTO 05\t"}));
  EXPECT_EQ(result->hexLines, (Lines{"77", "", "35"}));
  EXPECT_EQ(result->caption, "{ 2-Byte Prgm }");
}

TEST(CleanLine, CommentRule) {
  const struct {
    std::string line;
    std::string cleaned;
  } rows[] = {
      {"CLX", "CLX"},
      {"  CLX \t", "CLX"},
      {"CLX @ clear x", "CLX"},
      {"@ only a comment", ""},
      {"CLX @ one @ two", "CLX @ one"},  // only the last "@" starts the comment
      {"\"A@B\"", "\"A@B\""},            // an "@" before the last quote stays
      {"\"A@B\" @ note", "\"A@B\""},
      {"CLX @ say \"hi\"", "CLX @ say \"hi\""},  // a quote after "@" hides the comment
      {"\xA0 ", "\xA0"},                        // display codes are never trimmed
      {"\x85\x01", "\x85"},
  };
  for (const auto& row : rows) EXPECT_EQ(CleanLine(row.line), row.cleaned) << row.line;
}

}  // namespace
}  // namespace orrikey
