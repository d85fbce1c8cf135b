// The help table and the flag table: their shape, the exact bytes of the
// special lines, and cross-checks with the instruction tables. The menu list
// is checked through the menu groups.

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "reference/Help.h"
#include "tables/Tables.h"

namespace orrikey {
namespace {

// Every key's description, continuation included: a key line, then its
// description, which runs on to the next line when it ends in a blank (except
// in the last row). No earlier line shadows a key.
std::map<std::string_view, std::string> Descriptions() {
  const auto rows = tables::Commands();
  std::map<std::string_view, std::string> texts;
  size_t i = 0;
  for (; i + 1 < rows.size(); i += 2) {
    const std::string_view key = rows[i];
    std::string& text = texts[key] = rows[i + 1];
    if (text.ends_with(' ') && i + 2 < rows.size()) text += rows[++i + 1];
    EXPECT_EQ(HelpFor(key), text) << key;
  }
  EXPECT_EQ(i, rows.size());
  return texts;
}

TEST(HelpTable, KeysWithTheirDescriptions) {
  const auto rows = tables::Commands();
  EXPECT_EQ(rows.size(), 521u);
  const auto texts = Descriptions();
  EXPECT_EQ(texts.size(), 253u);  // so 15 continued
  // Plain ASCII, or the Windows-1252 en dash, multiplication and division signs.
  for (const auto& [key, text] : texts)
    for (unsigned char c : text)
      EXPECT_TRUE((c >= 0x20 && c < 0x7F) || c == 0x96 || c == 0xD7 || c == 0xF7) << key;
  EXPECT_EQ(rows[1], "Absolute value. Returns |x|.");
  EXPECT_EQ(HelpFor("BST"), "Back step. Move the program pointer to the previous program line. "
                            "(Not programmable.)");
  EXPECT_EQ(HelpFor("MVAR"),
            "Declare a menu variable in a SOLVER program. Parameter: variable name.");
  EXPECT_EQ(rows.back(), "Append symbol: precedes an Alpha string, the calculator appends the "
                         "string to the current contents of the Alpha register. ");
}

// "(indirect allowed)" exactly where the instruction table has indirect forms,
// "(Not programmable.)" for no instruction of the tables, and a help entry for
// all but a few of them.
TEST(HelpTable, OperandNotesMatchTheInstructionTable) {
  const auto byKey = Descriptions();
  for (std::string_view row : tables::ModOpTxt()) {
    std::string_view name = row.substr(0, row.find(','));
    if (name.starts_with("KEY ")) name = "KEY";
    SCOPED_TRACE(std::string(name));
    const std::string& text = byKey.at(name);
    const bool indirect = row.substr(row.find(',') + 1, 22) != std::string(22, 'F');
    // The append symbol's description tells its operand in prose.
    EXPECT_TRUE(name == "\x9F" || text.find("Parameter: ") != std::string::npos);
    EXPECT_EQ(text.find("(indirect allowed)") != std::string::npos, indirect);
  }
  std::set<std::string_view> programmable;
  for (auto table : {tables::FixedOpTxt(), tables::ModOpTxt()})
    for (std::string_view row : table) programmable.insert(row.substr(0, row.find(',')));
  size_t withHelp = 0;
  for (const auto& [key, text] : byKey) {
    EXPECT_FALSE(text.ends_with("(Not programmable.)") && programmable.count(key)) << key;
    withHelp += programmable.count(key);
  }
  // A misspelt key loses one. The others are .END., NULL and later calculators' additions.
  EXPECT_EQ(withHelp, 243u);
}

TEST(FlagTableText, LinesAndTabs) {
  const auto rows = tables::FlagTable();
  ASSERT_EQ(rows.size(), 61u);
  EXPECT_EQ(rows[0], "\tFlag\tFlag Name\t\tMachine\tMemory");
  EXPECT_EQ(rows[1], "\t\t\t\t\tReset\tClear");
  EXPECT_EQ(rows[2], std::string(63, '-'));
  EXPECT_EQ(rows[3], "");
  EXPECT_EQ(rows[9], "\t15-16\tPrint\tMoce\t\tM\tClear");
  EXPECT_EQ(rows[25], "\t40-41\tDisplay Format\t\tM\tFIX ");  // trailing blanks
  EXPECT_EQ(rows[48], "\t64\tReserved\t\tM\tClear ");
  const std::regex row("\t\\d\\d(-\\d\\d)?\t[^\t]+(\tMoce)?\t{1,3}(M|Clear|Set|\\?)\t[^\t]+");
  std::string previous;
  for (size_t i = 4; i < rows.size(); ++i) {
    const std::string text(rows[i]);
    EXPECT_TRUE(std::regex_match(text, row)) << text;
    EXPECT_GT(text.substr(1, 2), previous) << "flags out of order";
    previous = text.substr(1, 2);
  }
}

}  // namespace
}  // namespace orrikey
