// Program text in display codes written in UTF-8, as files and listings
// hold it.

#include <gtest/gtest.h>

#include "programtext/Utf8.h"
#include "text/CodePage.h"

namespace orrikey::programtext {
namespace {

struct InstructionRow {
  std::string programText;  // display codes
  std::string listing;
};

class WritesInstruction : public testing::TestWithParam<InstructionRow> {};

TEST_P(WritesInstruction, InTheCalculatorsNotation) {
  EXPECT_EQ(Utf8Of(GetParam().programText), GetParam().listing);
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, WritesInstruction,
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
          std::string spelled;
          SpellUtf8(spelled, line);
          if (code == '"') EXPECT_FALSE(StandsAsItIs(line)) << line;
          else EXPECT_EQ(StandsAsItIs(line), spelled == line) << code << " in " << around;
        }
      }
    }
  }
}

// Program text saved as UTF-8 reads back one to one, comments and line
// breaks kept; a character off the code page, or 8-bit codes, are not it.
TEST(ReadUtf8, ReadsOneDisplayCodePerCharacter) {
  const std::string sigma(1, char(*text::DisplayCodeOf(U'Σ')));
  const std::string lessEqual(1, char(*text::DisplayCodeOf(U'≤')));
  const std::pair<std::string_view, std::optional<std::string>> rows[] = {
      {"@ sums\r\nLBL \"\xCE\xA3+\"\r\n\tX\xE2\x89\xA4Y?",
       "@ sums\r\nLBL \"" + sigma + "+\"\r\n\tX" + lessEqual + "Y?"},
      {"\xEF\xBB\xBF"
       "CLX",
       "CLX"},
      {"CLX \xE2\x9C\x93", std::nullopt},  // ✓ has no display code
      {"STO\xA0 05", std::nullopt},        // 8-bit display codes
  };
  for (const auto& [text, codes] : rows) EXPECT_EQ(ReadUtf8(text), codes) << text;
}

}  // namespace
}  // namespace orrikey::programtext
