#include "text/Hex.h"

#include <gtest/gtest.h>

namespace orrikey::text {
namespace {

TEST(ParseHexTest, ReadsPairs) {
  const struct {
    std::string_view text;
    std::vector<std::uint8_t> bytes;
    std::string error;
    size_t errorOffset;
    std::optional<char> loneDigit;
  } rows[] = {
      {"c0000D", {0xC0, 0x00, 0x0D}, "", 0, {}},
      {"C0 00\r\n0D\t", {0xC0, 0x00, 0x0D}, "", 0, {}},
      {"C0 0", {0xC0}, "", 0, '0'},
      {"C0 0G 0D", {0xC0}, "'$0G' is not a valid integer value", 4, {}},
      {"G0", {}, "'$G0' is not a valid integer value", 0, {}},
      // The offset is the first byte of a character of several.
      {"C0 0 \xE2\x82\xAC", {0xC0}, "'$0\xE2' is not a valid integer value", 5, {}},
      {"", {}, "", 0, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const ParsedHex parsed = ParseHex(row.text);
    EXPECT_EQ(parsed.bytes, row.bytes);
    EXPECT_EQ(parsed.error, row.error);
    if (!row.error.empty()) {
      EXPECT_EQ(parsed.errorOffset, row.errorOffset);
    }
    EXPECT_EQ(parsed.loneDigit, row.loneDigit);
  }
}

TEST(WriteHexTest, WritesTwoUppercaseDigitsPerByte) {
  EXPECT_EQ(WriteHex(std::string_view("\xC0\x00\x0D\xfa", 4)), "C0000DFA");
  EXPECT_EQ(WriteHex(std::string_view()), "");
}

}  // namespace
}  // namespace orrikey::text
