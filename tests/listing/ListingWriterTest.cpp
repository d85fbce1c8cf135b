// Decoded program lines as the calculator lists them.

#include <gtest/gtest.h>

#include "listing/ListingWriter.h"

namespace orrikey::listing {
namespace {

// The calculator drops a NULL as it reads a program: it is neither listed
// nor counted, and NULLs alone make no program.
TEST(WriteListing, NumbersEachProgramAndCountsItWithoutItsEndOrNulls) {
  const std::vector<ListedLine> lines = {
      {"LBL \"A\"", 5, false}, {"NULL", 1, false, true}, {"CLX", 1, false}, {".END.", 3, true},
      {"LBL 01", 1, false},    {"DATE_PLUS", 2, false},  {"RDX", 2, false}};
  EXPECT_EQ(WriteListing(lines), "00 { 6-Byte Prgm }\n01▸LBL \"A\"\n02 CLX\n03 END\n"
                                 "00 { 5-Byte Prgm }\n01▸LBL 01\n02 DATE+\n03 RDX,\n04 END\n");
  EXPECT_EQ(WriteListing({}), "");  // no program, no header
  EXPECT_EQ(WriteListing(std::vector<ListedLine>{{"NULL", 1, false, true}}), "");
}

TEST(WriteListing, NumbersPastNinetyNineWithMoreDigits) {
  const std::string listing = WriteListing(std::vector<ListedLine>(100, {"CLX", 1, false}));
  EXPECT_NE(listing.find("\n99 CLX\n100 CLX\n101 END\n"), std::string::npos);
}

struct InstructionRow {
  std::string programText;  // display codes
  std::string listing;
};

class WritesInstruction : public testing::TestWithParam<InstructionRow> {};

TEST_P(WritesInstruction, InTheCalculatorsNotation) {
  EXPECT_EQ(ListingInstruction(GetParam().programText), GetParam().listing);
}

INSTANTIATE_TEST_SUITE_P(
    Listing, WritesInstruction,
    testing::Values(InstructionRow{"STOx 05", "STO× 05"}, InstructionRow{"x", "×"},
                    InstructionRow{"STO\xA0 IND ST X", "STO÷ IND ST X"}, InstructionRow{"X\x89Y?", "X≤Y?"},
                    InstructionRow{"10^X", "10↑X"}, InstructionRow{"12345678\x98-3", "12345678ᴇ-3"},
                    InstructionRow{"\x9F \"AB\"", "├\"AB\""},
                    InstructionRow{"\"\xAA\x9B\x85^\x7F\"", "\"[LF][ESC]Σ↑├\""},
                    InstructionRow{"\"\x81\xC4\"\x9F\"", "\"ʏ€c4€22├\""},
                    // Escapes in program text are the listing's own.
                    InstructionRow{"\"\x80"
                                   "84\x80"
                                   "5bLF][LF]\x80\"",
                                   "\"€84€5bLF][LF]€\""},
                    InstructionRow{"ASSIGN \"\x85x\" TO 01", "ASSIGN \"Σx\" TO 01"},
                    InstructionRow{"\"\xB1\"", "\"μ\""},
                    // The calculator's names, from the table names too.
                    InstructionRow{"RCLx IND 28", "RCL× IND 28"}, InstructionRow{"RCL\x82 05", "RCL× 05"},
                    InstructionRow{"BASEx", "BASE×"}, InstructionRow{"DATE_PLUS", "DATE+"},
                    InstructionRow{"RDX", "RDX"}, InstructionRow{"x\x82", "x×"}));

// The quick test lets a line stand exactly when it spells as itself,
// wherever a code stands in it, inside quotes or out, and whatever its
// length; a third quote may spell as itself, but is never let stand.
TEST(StandsAsItIs, WhenTheLineSpellsAsItself) {
  for (const std::string_view around : {"", "ASTO \"\"", "\"\" TO 01"}) {
    const size_t textAt = around.find('"') + 1;
    for (unsigned code = 0; code < 256; ++code) {
      for (size_t length : {1, 2, 3, 5, 8, 11}) {
        for (size_t at = 0; at < length; ++at) {
          std::string line(length, 'A');
          line[at] = static_cast<char>(code);
          if (!around.empty()) line = std::string(around).insert(textAt, line);
          std::string spelled(ListingRoom(line.size()), '\0');
          spelled.resize(static_cast<size_t>(SpellListingInstruction(spelled.data(), line) - spelled.data()));
          if (code == '"') EXPECT_FALSE(StandsAsItIs(line)) << line;
          else EXPECT_EQ(StandsAsItIs(line), spelled == line) << code << " in " << around;
        }
      }
    }
  }
}

}  // namespace
}  // namespace orrikey::listing
