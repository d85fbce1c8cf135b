#include "text/Hex.h"

#include <gtest/gtest.h>

namespace orrikey::text {
namespace {

struct HexRow {
  const char* name;
  std::string_view text;
  std::vector<std::uint8_t> bytes;
  std::string error;
  std::optional<char> loneDigit;
};

class ParseHexTest : public testing::TestWithParam<HexRow> {};

TEST_P(ParseHexTest, ReadsPairs) {
  const HexRow& row = GetParam();
  const ParsedHex parsed = ParseHex(row.text);
  EXPECT_EQ(parsed.bytes, row.bytes);
  EXPECT_EQ(parsed.error, row.error);
  EXPECT_EQ(parsed.loneDigit, row.loneDigit);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseHexTest,
    testing::Values(
        HexRow{"EitherCase", "c0000D", {0xC0, 0x00, 0x0D}, "", {}},
        HexRow{"BlanksAndBreaksBetween", "C0 00\r\n0D\t", {0xC0, 0x00, 0x0D}, "", {}},
        HexRow{"LoneLastDigit", "C0 0", {0xC0}, "", '0'},
        HexRow{"NotADigit", "C0 0G 0D", {0xC0}, "'$0G' is not a valid integer value", {}},
        HexRow{"Empty", "", {}, "", {}}),
    [](const testing::TestParamInfo<HexRow>& info) { return std::string(info.param.name); });

TEST(WriteHexTest, WritesTwoUppercaseDigitsPerByte) {
  EXPECT_EQ(WriteHex(std::string_view("\xC0\x00\x0D\xfa", 4)), "C0000DFA");
  EXPECT_EQ(WriteHex(std::string_view()), "");
}

}  // namespace
}  // namespace orrikey::text
