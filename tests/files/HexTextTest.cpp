// The hex pane's lines back to text or bytes.

#include <gtest/gtest.h>

#include <stdexcept>

#include "files/HexText.h"

namespace orrikey {
namespace {

using namespace std::string_literals;

TEST(GetHexString, JoinsTheLinesOrReadsPairsOfEachLine) {
  const struct {
    std::vector<std::string> lines;
    bool asBytes;
    std::string result;  // or the error
  } rows[] = {
      {{"91", "05"}, false, "9105"},
      {{"------ err par", "ab c"}, false, "------ err parab c"},
      {{}, false, ""},
      {{"", ""}, true, ""},
      {{"C0000D", "1100"}, true, "\xC0\x00\x0D\x11\x00"s},
      {{"ab", "Cd"}, true, "\xAB\xCD"},
      {{"ABC"}, true, "\xAB\x0C"},  // a lone last digit is a byte
      {{"A", "B"}, true, "\x0A\x0B"},
      {{"------ err opcode"}, true, "'$--' is not a valid integer value"},
      {{"77", "8G"}, true, "'$8G' is not a valid integer value"},
      {{"77\r"}, true, "'$\r' is not a valid integer value"},
  };
  for (const auto& row : rows) {
    std::string result;
    try {
      result = GetHexString(row.lines, row.asBytes);
    } catch (const std::runtime_error& error) {
      result = error.what();
    }
    EXPECT_EQ(result, row.result) << "row " << &row - rows;
  }
}

}  // namespace
}  // namespace orrikey
