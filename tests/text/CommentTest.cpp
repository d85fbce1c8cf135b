#include "text/Comment.h"

#include <gtest/gtest.h>

#include <string>

namespace orrikey::text {
namespace {

constexpr Notation kText = Notation::kProgramText;
constexpr Notation kListing = Notation::kListing;

TEST(SplitLineTest, FindsTheComment) {
  const struct {
    std::string_view line;
    Notation notation;
    std::string_view withoutComment;
  } rows[] = {
      {"STO 05 @ say \"hi\"", kText, "STO 05 "},
      {"\"A@B\" @ c", kText, "\"A@B\" "},
      {"\"say \"hi\"\" @ x", kText, "\"say \"hi\"\" "},
      {"\"AB\" @ note \"x\"", kText, "\"AB\" "},
      {"\"AB @ c", kText, "\"AB @ c"},                  // an open text has no comment
      {"X<>Y // swap ; x", kText, "X<>Y // swap ; x"},  // a listing's marks are text here
      {"X<>Y // swap", kListing, "X<>Y "},
      {"LBL \"A;B\" ; c", kListing, "LBL \"A;B\" "},
      {"LBL “A@B” @ c", kListing, "LBL “A@B” "},
      {"1/X", kListing, "1/X"},
  };
  for (const auto& row : rows) EXPECT_EQ(WithoutComment(row.line, row.notation), row.withoutComment);
  // The highlighter reads the pane's UTF-16 text the same way.
  EXPECT_EQ(SplitLine(std::u16string_view(u"GTO 01 @ back"), kText).comment, 7u);
}

}  // namespace
}  // namespace orrikey::text
