// Hostile program lines end as an error line without running for long;
// the encode fuzzer covers arbitrary lines.

#include <gtest/gtest.h>

#include "encoder/Encoder.h"
#include "text/Pattern.h"

namespace orrikey {
namespace {

// Lines of ten megabytes, built to make the pattern tests backtrack.
TEST(Robustness, HugeLines) {
  constexpr size_t kSize = 10'000'000;
  std::string blanksAndQuotes;
  while (blanksAndQuotes.size() < kSize) blanksAndQuotes += " \"";
  const std::string digits(kSize, '1');
  const std::vector<std::pair<std::string, std::string>> rows = {
      {blanksAndQuotes, "------ err string"},
      {"STO" + blanksAndQuotes, "------ err string"},
      {"STO \"" + std::string(kSize, ' '), "------ err par"},
      {"ASSIGN \"" + blanksAndQuotes + " TO 05", "------ err string"},
      {digits + "x", "------ err opcode"},
      {std::string(kSize, '@'), ""},  // a comment, however long
  };
  for (const auto& [line, expected] : rows) EXPECT_EQ(encoder::HexRow(encoder::AssembleLine(line)), expected);

  const encoder::LineBytes number = encoder::AssembleLine(digits).bytes;
  EXPECT_EQ(number.size(), kSize + 1);
  EXPECT_EQ(number.back(), 0x00);
}

// A test that hits the match limit gives up and counts as not matching, even
// where an unbounded search would have found a match in the end.
TEST(Robustness, MatchLimitCountsAsNoMatch) {
  const text::Pattern pattern("(a|aa)+$|b");
  EXPECT_TRUE(pattern.Matches("aaab"));
  EXPECT_FALSE(pattern.Matches(std::string(64, 'a') + "cb"));
}

}  // namespace
}  // namespace orrikey
