// Program text in 8-bit display codes: line breaks and the pane's lines.

#include <gtest/gtest.h>

#include "programtext/EightBit.h"

namespace orrikey::programtext {
namespace {

using Lines = std::vector<std::string>;

// A file's bytes as the pane takes them, and the lines of that text.
TEST(EightBit, NormalisesLineBreaksAndSplitsIntoLines) {
  const struct {
    std::string bytes;
    std::string text;
    Lines lines;
  } rows[] = {
      {"A\nB\n", "A\r\nB\r\n", {"A", "B"}},
      {"A\rB", "A\r\nB", {"A", "B"}},
      {"A\n\rB", "A\r\n\r\nB", {"A", "", "B"}},
      {"A\r\r\nB", "A\r\n\r\nB", {"A", "", "B"}},
      {std::string("A\nB\0C", 5), std::string("A\r\nB\0C", 6), {"A", std::string("B\0C", 3)}},
      {"\x85\xA0\t", "\x85\xA0\t", {"\x85\xA0\t"}},
      {"\r\n", "\r\n", {""}},
      {"", "", {}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(NormaliseLineBreaks(row.bytes), row.text) << row.bytes;
    EXPECT_EQ(SplitLines(row.text), row.lines) << row.text;
  }
  // The command line splits text it has not normalised.
  EXPECT_EQ(SplitLines("A\nB\rC"), (Lines{"A", "B", "C"}));
}

}  // namespace
}  // namespace orrikey::programtext
