// Decoded instructions written as program text: the display codes the core
// holds, the UTF-8 that files and listings hold, and an operand's value as
// the label index names it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/Reader.h"
#include "programtext/Codes.h"
#include "programtext/Utf8.h"
#include "text/Hex.h"

namespace orrikey::programtext {
namespace {

struct FormatRow {
  std::string hex;
  std::string codes;
  std::string utf8;
  std::string value;  // the operand's value alone
};

class FormatsInstruction : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatsInstruction, AsCodesAndUtf8) {
  const FormatRow& row = GetParam();
  const std::vector<std::uint8_t> bytes = text::ParseHex(row.hex).bytes;
  const decoder::Decoded decoded = decoder::Decode(bytes);
  ASSERT_EQ(decoded.lines.size(), 1u);
  EXPECT_EQ(CodesOf(decoded.lines[0]), row.codes);
  // Appended after other text, which it leaves as it is.
  std::string utf8 = "ab\x85";
  AppendUtf8(utf8, decoded.lines[0]);
  EXPECT_EQ(utf8, "ab\x85" + row.utf8);
  EXPECT_EQ(utf8.substr(3), Utf8Of(row.codes));
  std::string value;
  AppendValue(value, decoded.lines[0].operand);
  EXPECT_EQ(value, row.value);
}

INSTANTIATE_TEST_SUITE_P(
    ProgramText, FormatsInstruction,
    testing::Values(FormatRow{"F3E20163", "KEY 1 XEQ 99", "KEY 1 XEQ 99", "99"},
                    FormatRow{"F4CA024142", "KEY 2 XEQ IND \"AB\"", "KEY 2 XEQ IND \"AB\"", "AB"},
                    FormatRow{"F4C0464E04", "ASSIGN \"FN\" TO 05", "ASSIGN \"FN\" TO 05", "FN"},
                    // The calculator's names come from the row, whatever follows.
                    FormatRow{"F2D305", "RCLx 05", "RCL× 05", "05"},
                    FormatRow{"94F2", "STOx IND ST Y", "STO× IND ST Y", "ST Y"},
                    FormatRow{"42", "x", "×", ""}, FormatRow{"A68D", "DATE_PLUS", "DATE+", ""},
                    FormatRow{"57", "10^X", "10↑X", ""},
                    FormatRow{"F37F4142", "\x9F \"AB\"", "├\"AB\"", "AB"},
                    FormatRow{"F3A79305", "RCL- \"\x85\"", "RCL- \"Σ\"", "\x85"},
                    FormatRow{"F20A1B", "\"\xAA\x9B\"", "\"[LF][ESC]\"", ""},
                    FormatRow{"111A1B1C12", "1.\x98-2", "1.ᴇ-2", ""},
                    FormatRow{"CF7B", "LBL a", "LBL a", "a"}, FormatRow{"D41283", "GTO 03", "GTO 03", "03"},
                    FormatRow{"F1E5", "FIX 11", "FIX 11", "11"},
                    FormatRow{"F3F70100", "SIZE 256", "SIZE 256", "256"},
                    FormatRow{"A5C7", "XROM 23,07", "XROM 23,07", ""},
                    FormatRow{"F2C31A", "XROM 0xc31a", "XROM 0xc31a", ""}));

}  // namespace
}  // namespace orrikey::programtext
