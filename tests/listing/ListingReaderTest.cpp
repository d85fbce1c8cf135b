// Listings as people write them, line by line and as whole files.

#include <gtest/gtest.h>

#include "listing/ListingReader.h"
#include "text/CodePage.h"

namespace orrikey::listing {
namespace {

struct LineRow {
  std::string listing;
  std::string programText;  // display codes; empty: the line is dropped
};

class ReadsLine : public testing::TestWithParam<LineRow> {};

TEST_P(ReadsLine, AsProgramText) {
  const ReadListingResult read = ReadListing(GetParam().listing);
  ASSERT_TRUE(read.errors.empty()) << read.errors.front().reason;
  if (GetParam().programText.empty()) {
    EXPECT_TRUE(read.lines.empty());
  } else {
    ASSERT_EQ(read.lines.size(), 1u);
    EXPECT_EQ(read.lines[0].text, GetParam().programText);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Listing, ReadsLine,
    testing::Values(
        // Line numbers, label marks, headers, comments.
        LineRow{"01▸LBL \"A\"", "LBL \"A\""}, LineRow{"001 STO 05", "STO 05"},
        LineRow{"02 ▸ LBL 01", "LBL 01"}, LineRow{"▸LBL 01", "LBL 01"}, LineRow{"05 12", "12"},
        LineRow{"12", "12"}, LineRow{"1 @ one", "1"}, LineRow{"00 { 361-Byte Prgm }", ""},
        LineRow{"  @ note", ""}, LineRow{"# note", ""}, LineRow{"; note", ""}, LineRow{"// note", ""},
        LineRow{" \t ", ""}, LineRow{"STO 01\t\t// note", "STO 01"}, LineRow{"X<> ST T ; note", "X<> ST T"},
        LineRow{"RCL  ST Y", "RCL ST Y"},
        // Glyphs, ASCII spellings, and the spellings that stay themselves.
        LineRow{"├\"X\"", "\x9F \"X\""}, LineRow{"|-\"X\"", "\x9F \"X\""}, LineRow{"STO× 05", "STO\x82 05"},
        LineRow{"STO÷ 05", "STO\xA0 05"}, LineRow{"×", "\x82"}, LineRow{"*", "\x82"}, LineRow{"/", "\xA0"},
        LineRow{"RCL/ \"A\"", "RCL\xA0 \"A\""}, LineRow{"1/X", "1/X"}, LineRow{"X<=Y?", "X\x89Y?"},
        LineRow{"X≤Y?", "X\x89Y?"},
        LineRow{"X!=0?", "X\x8B"
                         "0?"},
        LineRow{"X#Y?", "X\x8BY?"}, LineRow{"->REC", "\xAFREC"}, LineRow{"<-", "\xB0"},
        LineRow{"SIGMA+", "\x85+"}, LineRow{"CLSUM", "CL\x85"}, LineRow{"SUM", "SUM"},
        LineRow{"RSUM", "RSUM"}, LineRow{"10↑X", "10^X"}, LineRow{"E^X-1", "E^X-1"},
        LineRow{".END.", ".END."},
        // The calculator's names, whichever way the listing writes them.
        LineRow{"RCL× IND 05", "RCL\x82 IND 05"}, LineRow{"RCL* 5", "RCL\x82 05"},
        LineRow{"RCLx 05", "RCL\x82 05"}, LineRow{"DATE_PLUS", "DATE+"}, LineRow{"DATE+", "DATE+"},
        LineRow{"BASE*", "BASE\x82"}, LineRow{"RDX,", "RDX,"},
        // Numbers.
        LineRow{"1E3", "1\x98"
                       "3"},
        LineRow{"-2.5e-7", "-2.5\x98-7"},
        LineRow{"1e+15", "1\x98"
                         "15"},
        LineRow{"1ᴇ-3", "1\x98-3"}, LineRow{"2,7", "2.7"},
        // Texts: quotes, escapes, and glyphs that differ inside a text.
        LineRow{"“AB”", "\"AB\""},
        LineRow{"\"A[LF]B[ESC]\"", "\"A\xAA"
                                   "B\x9B\""},
        LineRow{"\"├↑×\"", "\"\x9F^\x82\""},
        // Codes that program text cannot hold as themselves stay escaped there.
        LineRow{"\"€9f€41€A0€\"", "\"\x80"
                                  "9fA\x80"
                                  "a0\x80"
                                  "80\""},
        LineRow{"\"a@b\" @ note", "\"a@b\""}, LineRow{"\"a//b;c\"", "\"a//b;c\""},
        LineRow{"\"SIGMA->\"", "\"SIGMA->\""}, LineRow{"\"a\"b\"", "\"a\"b\""},
        LineRow{"├\":\" ; \":\" or \"=\"", "\x9F \":\""}, LineRow{"ASSIGN \"A\" TO 01", "ASSIGN \"A\" TO 01"},
        LineRow{"\"μµ\"", "\"\xB1\xB1\""},
        // Numbers without their leading zero, but where the calculator writes none.
        LineRow{"SF 5", "SF 05"}, LineRow{"RCL IND 3", "RCL IND 03"}, LineRow{"LBL 1", "LBL 01"},
        LineRow{"TONE 5", "TONE 5"}, LineRow{"DROPN 2", "DROPN 2"}, LineRow{"DROPN IND 2", "DROPN IND 02"},
        LineRow{"STO 5 @ five", "STO 05"}, LineRow{"\"SF 5\"", "\"SF 5\""}));

struct ErrorRow {
  std::string listing;
  std::string reason;
};

class RefusesLine : public testing::TestWithParam<ErrorRow> {};

TEST_P(RefusesLine, NamingWhy) {
  const ReadListingResult read = ReadListing("CLX\n" + GetParam().listing + "\nEND");
  ASSERT_EQ(read.errors.size(), 1u);
  EXPECT_EQ(read.errors[0].fileLine, 2u);
  EXPECT_EQ(read.errors[0].reason, GetParam().reason);
  EXPECT_EQ(read.lines.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Listing, RefusesLine,
                         testing::Values(ErrorRow{"CLX ✓", "The character ✓ (U+2713) has no calculator code"},
                                         ErrorRow{"\"A✓\"",
                                                  "The character ✓ (U+2713) has no calculator code"},
                                         ErrorRow{"\"AB", "The text has no closing quote"}));

// A file that is not UTF-8 is program text in display codes, as it stands:
// "01 " there would be an error, not a line number.
TEST(ReadListing, ReadsEightBitTextAsItStands) {
  const ReadListingResult read = ReadListing("STO\xA0 05\r\n\r\n01 \xAFREC\r\n");
  ASSERT_TRUE(read.errors.empty());
  ASSERT_EQ(read.lines.size(), 2u);
  EXPECT_EQ(read.lines[0].text, "STO\xA0 05");
  EXPECT_EQ(read.lines[1].text, "01 \xAFREC");
  EXPECT_EQ(read.lines[1].fileLine, 3u);
}

// Program text has numbers of its own, which are no line numbers.
TEST(LooksLikeListing, TellsListingsFromProgramText) {
  const std::pair<std::string_view, bool> rows[] = {
      {"00 { 9-Byte Prgm }\n01\xE2\x96\xB8LBL \"A\"\n02 CLX\n03 END\n", true},
      {"STO\xC3\x97 05\r\n1E3", true},
      {"1 CLX\n2 STO 05\n3 END", true},
      {"CLX\n1 @ one\n12\nEND", false},
      {"STO\xA0 05\nX\x8BY?", false},  // display codes: not UTF-8
      // UTF-8 is checked past long ASCII runs, to the last byte.
      {"0123456789\xE2\x96\xB8LBL", true},
      {"0123456789ABCDEF\xE2\x96\xB8\xE2\x96", false},
      {"01234567\xC0\xB8\xE2\x96\xB8", false},
  };
  for (const auto& [text, listing] : rows) EXPECT_EQ(LooksLikeListing(text), listing) << text;
}

// Numbered or headed text is a listing, though it reads as program text too.
TEST(NumberedOrHeaded, TellsListingsFromProgramText) {
  const std::pair<std::string_view, bool> rows[] = {
      {"01 CLX\n02 SIN", true}, {"{ 3-Byte Prgm }\nCLX", true}, {"CLX\n12\nSIN", false}};
  for (const auto& [text, numbered] : rows) EXPECT_EQ(NumberedOrHeaded(text), numbered) << text;
}

}  // namespace
}  // namespace orrikey::listing
