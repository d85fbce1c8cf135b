// Raw bytes to hex text.

#include <gtest/gtest.h>

#include "files/HexText.h"

namespace orrikey {
namespace {

using namespace std::string_literals;

TEST(BytesToHex, TwoUppercaseDigitsPerByte) {
  EXPECT_EQ(BytesToHex(""), "");
  EXPECT_EQ(BytesToHex("\x00\x0A\xAB\xFF"s), "000AABFF");
}

}  // namespace
}  // namespace orrikey
