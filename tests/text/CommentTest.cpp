#include "text/Comment.h"

#include <gtest/gtest.h>

#include <string>

namespace orrikey::text {
namespace {

struct CommentRow {
  const char* name;
  std::u32string_view line;
  Notation notation;
  std::u32string_view withoutComment;
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
        CommentRow{"CommentMayQuote", U"STO 05 @ say \"hi\"", kText, U"STO 05 "},
        CommentRow{"MarkInsideText", U"\"A@B\" @ c", kText, U"\"A@B\" "},
        CommentRow{"TextMayHoldQuotes", U"\"say \"hi\"\" @ x", kText, U"\"say \"hi\"\" "},
        CommentRow{"TextThenQuotingComment", U"\"AB\" @ note \"x\"", kText, U"\"AB\" "},
        CommentRow{"OpenTextHasNoComment", U"\"AB @ c", kText, U"\"AB @ c"},
        CommentRow{"ListingMarksAreTextInProgramText", U"X<>Y // swap ; x", kText,
                   U"X<>Y // swap ; x"},
        CommentRow{"DoubleSlash", U"X<>Y // swap", kListing, U"X<>Y "},
        CommentRow{"SemicolonAfterText", U"LBL \"A;B\" ; c", kListing, U"LBL \"A;B\" "},
        CommentRow{"TypographicQuotes", U"LBL “A@B” @ c", kListing, U"LBL “A@B” "},
        CommentRow{"SlashAlone", U"1/X", kListing, U"1/X"}),
    [](const testing::TestParamInfo<CommentRow>& info) { return std::string(info.param.name); });

TEST(SplitLineTest, ReadsBytesAndUtf16Alike) {
  EXPECT_EQ(WithoutComment("LBL \"A\" @ x", kText), "LBL \"A\" ");
  const std::u16string_view line = u"GTO 01 @ back";
  EXPECT_EQ(SplitLine(line, kText).comment, 7u);
}

}  // namespace
}  // namespace orrikey::text
