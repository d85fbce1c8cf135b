// Program text: line breaks and the pane's lines.

#include <gtest/gtest.h>

#include "files/ProgramText.h"

namespace orrikey::files {
namespace {

using Lines = std::vector<std::string>;

TEST(ProgramText, NormalisesLineBreaks) {
  const struct {
    std::string bytes;
    std::string text;
  } rows[] = {
      {"A\nB\n", "A\r\nB\r\n"},
      {"A\rB", "A\r\nB"},
      {"A\n\rB", "A\r\n\r\nB"},
      {"A\r\r\nB", "A\r\n\r\nB"},
      {std::string("A\nB\0C", 5), std::string("A\r\nB\0C", 6)},
      {"\x85\xA0\t", "\x85\xA0\t"},
  };
  for (const auto& row : rows) EXPECT_EQ(NormaliseProgramText(row.bytes), row.text) << row.bytes;
}

TEST(ProgramText, SplitsIntoLines) {
  const struct {
    std::string text;
    Lines lines;
  } rows[] = {
      {"", {}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\r\n\r\nB", {"A", "", "B"}},
      {"\r\n", {""}},
      {"A\nB\rC", {"A", "B", "C"}},
  };
  for (const auto& row : rows) EXPECT_EQ(SplitLines(row.text), row.lines) << row.text;
}

TEST(ProgramText, JoinsWithCrLf) {
  EXPECT_EQ(JoinLines({"LBL 01", "END"}), "LBL 01\r\nEND");
  EXPECT_EQ(JoinLines({}), "");
}

}  // namespace
}  // namespace orrikey::files
