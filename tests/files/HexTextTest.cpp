// Raw bytes to hex text, and the hex pane's lines back to text or bytes.

#include <gtest/gtest.h>

#include <stdexcept>

#include "files/HexText.h"

namespace orrikey {
namespace {

using Lines = std::vector<std::string>;

TEST(BytesToHex, TwoUppercaseDigitsPerByte) {
  EXPECT_EQ(BytesToHex(""), "");
  EXPECT_EQ(BytesToHex(std::string("\x00\x77\xAB\xFF", 4)), "0077ABFF");
  std::string every;
  for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
  const std::string hex = BytesToHex(every);
  ASSERT_EQ(hex.size(), 512u);
  EXPECT_EQ(hex.substr(0, 6), "000102");
  EXPECT_EQ(hex.substr(506), "FDFEFF");
  EXPECT_EQ(GetHexString({hex}, true), every);
}

TEST(GetHexString, AsTextJoinsTheLines) {
  EXPECT_EQ(GetHexString({"91", "05"}, false), "9105");
  EXPECT_EQ(GetHexString({"------ err par", "ab c"}, false), "------ err parab c");
  EXPECT_EQ(GetHexString({}, false), "");
}

TEST(GetHexString, AsBytesReadsPairsOfEachLine) {
  const struct {
    Lines lines;
    std::string bytes;
  } rows[] = {
      {{"77"}, "\x77"},
      {{}, ""},
      {{"", ""}, ""},
      {{"C0000D", "1100"}, std::string("\xC0\x00\x0D\x11\x00", 5)},
      {{"ab", "Cd"}, "\xAB\xCD"},
      {{"ABC"}, "\xAB\x0C"},  // a lone last digit is a byte
      {{"A", "B"}, "\x0A\x0B"},
  };
  for (const auto& row : rows) EXPECT_EQ(GetHexString(row.lines, true), row.bytes);
}

TEST(GetHexString, AsBytesRejectsWhatIsNotHex) {
  const struct {
    Lines lines;
    std::string message;
  } rows[] = {
      {{"------ err opcode"}, "'$--' is not a valid integer value"},
      {{"77 83"}, "'$ 8' is not a valid integer value"},
      {{"77", "8G"}, "'$8G' is not a valid integer value"},
      {{"77\r"}, "'$\r' is not a valid integer value"},
  };
  for (const auto& row : rows) {
    try {
      GetHexString(row.lines, true);
      ADD_FAILURE() << "no error for " << row.lines.back();
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(error.what(), row.message);
    }
  }
}

}  // namespace
}  // namespace orrikey
