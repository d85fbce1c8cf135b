// Hostile program lines: every one ends as a hex line or an error line,
// without crashing and without running for long.

#include <gtest/gtest.h>

#include <random>

#include "encoder/Encoder.h"
#include "text/Pattern.h"

namespace orrikey {
namespace {

bool IsHexLine(const std::string& hex) {
  return hex.size() % 2 == 0 &&
         hex.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

void ExpectHexOrErrorLine(const std::string& line) {
  const std::string hex = EncodeLine(CleanLine(line));
  EXPECT_TRUE(IsHexLine(hex) || hex.starts_with(kErrorMarker))
      << "line of " << line.size() << " bytes gave " << hex.substr(0, 40);
}

// Lines glued together from pieces of real instructions and stray bytes.
TEST(Robustness, RandomLines) {
  const std::vector<std::string> pieces = {
      "STO", "RCL", "KEY", "ASSIGN", "GTO", "LBL", "XEQ", "SIZE", "FIX", "IND", "ST", "TO",
      " ",   "\t",  "\"",  "@",      "X",   "A",   "e",   "0",    "5",   "99",  "1234",
      ".",   "-",   "\x98", "\x85", "\x9F", "\xA0", "\x7F", "\x01", "\xFF", "\r", "\n"};
  std::mt19937 random(42);
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    const int count = random() % 8;
    for (int k = 0; k < count; ++k) line += pieces[random() % pieces.size()];
    ExpectHexOrErrorLine(line);
  }
}

TEST(Robustness, EveryByteAlone) {
  for (int byte = 0; byte < 256; ++byte) {
    ExpectHexOrErrorLine(std::string(1, static_cast<char>(byte)));
    ExpectHexOrErrorLine("STO \"" + std::string(1, static_cast<char>(byte)) + "\"");
  }
}

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
      {std::string(kSize, '@'), "------ err opcode"},
  };
  for (const auto& [line, expected] : rows) EXPECT_EQ(EncodeLine(CleanLine(line)), expected);

  const std::string number = EncodeLine(digits);
  EXPECT_EQ(number.size(), 2 * kSize + 2);
  EXPECT_TRUE(number.ends_with("1100"));
}

// A test that hits the match limit gives up and counts as not matching, even
// where an unbounded search would have found a match in the end.
TEST(Robustness, MatchLimitCountsAsNoMatch) {
  const Pattern pattern("(a|aa)+$|b");
  EXPECT_TRUE(pattern.Matches("aaab"));
  EXPECT_FALSE(pattern.Matches(std::string(64, 'a') + "cb"));
}

}  // namespace
}  // namespace orrikey
