// Pasted text as both editors take it: a listing's program lines, and its
// lines that do not convert kept as written.

#include <gtest/gtest.h>

#include "listing/PastedListing.h"

namespace orrikey::listing {
namespace {

struct PasteRow {
  std::string name;
  std::string pasted;
  std::optional<std::string> text;  // nothing: pasted as it stands
  std::string message;
};

class ReadsPasted : public testing::TestWithParam<PasteRow> {};

TEST_P(ReadsPasted, AsTheEditorsPasteIt) {
  const std::optional<PastedListing> read = ReadPastedListing(GetParam().pasted);
  ASSERT_EQ(read.has_value(), GetParam().text.has_value());
  if (!read) return;
  EXPECT_EQ(read->text, *GetParam().text);
  EXPECT_EQ(read->message(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Paste, ReadsPasted,
    testing::Values(PasteRow{"HeaderNumbersAndGlyphs",
                             "00 { 9-Byte Prgm }\n01▸LBL \"A\"\n02 STO× 05\n03 \"x≠y\"\n04 END",
                             "LBL \"A\"\nSTO× 05\n\"x≠y\"\nEND", ""},
                    PasteRow{"CalculatorNames", "01 RCL* 05\n02 DATE_PLUS\n03 ×\n04 RCLx IND ST X",
                             "RCL× 05\nDATE+\n×\nRCL× IND ST X", ""},
                    PasteRow{"FailedLinesKeptAsWritten", "01 CLX\n@ note\n02 FOO 9\n03 \"AB\n",
                             "CLX\nFOO 9\n03 \"AB\n",
                             "Pasted as written, line 4 of the listing: The text has no closing quote"},
                    PasteRow{"FirstRefusalReported", "01 \"AB\n02 CLX ✓", "01 \"AB\n02 CLX ✓",
                             "Pasted as written, line 1 of the listing: The text has no closing quote"},
                    PasteRow{"ProgramTextStands", "@ Σ note\nΣ+", std::nullopt, ""}),
    [](const testing::TestParamInfo<PasteRow>& row) { return row.param.name; });

}  // namespace
}  // namespace orrikey::listing
