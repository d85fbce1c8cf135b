// What the editor offers to complete, word by word along a line.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "reference/Completion.h"

namespace orrikey::reference {
namespace {

using Words = std::vector<std::string>;

TEST(Completion, OffersWhatMayFollowTheTextBeforeTheCaret) {
  const Words labels = {"\"MAIN\"", "01", "A"};
  const struct {
    std::string before;
    size_t start;
    Words words;  // all of them when `whole`, else some that must be there
    bool whole = true;
  } rows[] = {
      {"sto", 0, {"STO", "STO+", "STOP"}, false},
      {"  CL", 2, {"CLX", "CLST"}, false},
      {"KEY 1 G", 6, {"GTO"}},
      {"STO ", 4, {"IND", "ST"}},
      {"STO IND ", 8, {"ST"}},
      {"CLV ", 4, {"IND"}},
      {"MVAR ", 5, {}},  // forms only read are not offered
      {"RCL ST ", 7, {"L", "T", "X", "Y", "Z"}},
      {"RCL IND ST y", 11, {"Y"}},
      {"GTO ", 4, {"\"MAIN\"", "01", "A", "IND"}},
      {"KEY 3 XEQ 0", 10, {"01"}},
      {"ASSIGN \"AB\" ", 12, {"TO"}},
      // ASCII spellings reach the glyphs' names.
      {"X<",
       0,
       {"X<Y?",
        "X\x89"
        "0?",
        "X\x89Y?"},
       false},
      {"x#",
       0,
       {"X\x8B"
        "0?",
        "X\x8B?", "X\x8BY?"}},
      {"SUM", 0, {"SUM", "\x85+", "\x85-", "\x85REG"}, false},
      {"STO*", 0, {"STO\x82"}},
      // The calculator's names, reached from the table names too.
      {"RCLx", 0, {"RCL\x82"}},
      {"DATE_", 0, {"DATE+"}},
      {"RCL\x82 ", 5, {"IND", "ST"}},
      {"->",
       0,
       {"\xAF"
        "DEC",
        "\xAFHMS"},
       false},
      // Inside a text or a comment nothing is offered.
      {"XEQ \"MA", 0, {}},
      {"CLX @ S", 0, {}},
      {"STO 05 ", 7, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.before);
    const Completions found = CompletionsFor(row.before, labels);
    if (row.whole) {
      EXPECT_EQ(found.words, row.words);
    } else {
      for (const std::string& word : row.words)
        EXPECT_TRUE(std::count(found.words.begin(), found.words.end(), word)) << word;
    }
    if (!row.words.empty()) {
      EXPECT_EQ(found.start, row.start);
    }
  }
}

}  // namespace
}  // namespace orrikey::reference
