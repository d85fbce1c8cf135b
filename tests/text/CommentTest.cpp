#include "text/Comment.h"

#include <gtest/gtest.h>

#include <string>

namespace orrikey::text {
namespace {

struct CommentRow {
  const char* name;
  std::string_view line;
  Notation notation;
  std::string_view withoutComment;
};

class SplitLineTest : public testing::TestWithParam<CommentRow> {};

TEST_P(SplitLineTest, FindsTheComment) {
  const CommentRow& row = GetParam();
  const LineParts parts = SplitLine(row.line, row.notation);
  EXPECT_EQ(row.line.substr(0, parts.comment), row.withoutComment);
}

constexpr Notation kText = Notation::kProgramText;
constexpr Notation kListing = Notation::kListing;

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitLineTest,
    testing::Values(
        CommentRow{"CommentMayQuote", "STO 05 @ say \"hi\"", kText, "STO 05 "},
        CommentRow{"MarkInsideText", "\"A@B\" @ c", kText, "\"A@B\" "},
        CommentRow{"TextMayHoldQuotes", "\"say \"hi\"\" @ x", kText, "\"say \"hi\"\" "},
        CommentRow{"TextThenQuotingComment", "\"AB\" @ note \"x\"", kText, "\"AB\" "},
        CommentRow{"OpenTextHasNoComment", "\"AB @ c", kText, "\"AB @ c"},
        CommentRow{"ListingMarksAreTextInProgramText", "X<>Y // swap ; x", kText,
                   "X<>Y // swap ; x"},
        CommentRow{"DoubleSlash", "X<>Y // swap", kListing, "X<>Y "},
        CommentRow{"SemicolonAfterText", "LBL \"A;B\" ; c", kListing, "LBL \"A;B\" "},
        CommentRow{"TypographicQuotes", "LBL “A@B” @ c", kListing, "LBL “A@B” "},
        CommentRow{"SlashAlone", "1/X", kListing, "1/X"}),
    [](const testing::TestParamInfo<CommentRow>& info) { return std::string(info.param.name); });

TEST(SplitLineTest, ReadsBytesAndUtf16Alike) {
  EXPECT_EQ(WithoutComment("LBL \"A\" @ x", kText), "LBL \"A\" ");
  const std::u16string_view line = u"GTO 01 @ back";
  EXPECT_EQ(SplitLine(line, kText).comment, 7u);
}

}  // namespace
}  // namespace orrikey::text
