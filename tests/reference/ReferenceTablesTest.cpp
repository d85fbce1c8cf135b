// The help table and the flag table: their shape, the exact bytes of the
// special lines, and cross-checks with the instruction tables; the Program
// Tool's picks against the encoder.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "encoder/Encoder.h"
#include "reference/Help.h"
#include "reference/MenuGroups.h"
#include "tables/Tables.h"

namespace orrikey {
namespace {

// The instructions of today's calculators, which the instruction tables do not
// hold yet: they have help entries and menu picks but encode nothing so far.
const std::set<std::string_view> kTodaysInstructionsNotInTablesYet = {
    "DROP", "WIDTH", "HEIGHT", "SKIP", "CPXMAT?", "TYPE?", "ANUM", "RCLFLAG", "STOFLAG", "X<>F",
    "\xAFLIST", "LIST\xAF", "XVIEW", "A...F", "OPENF", "CLOSF", "READP", "WRITP", "GETXY",
    "PUTXY", "CLRP", "CLRD", "APPD", "GETN", "PUTN", "GETZ", "PUTZ", "DELP", "FPTEST", "WSIZE",
    "WSIZE?", "YMD", "BSIGNED", "BWRAP", "BRESET", "GETKEY1", "FMA", "RTNYES", "RTNNO",
    "STRACE", "4STK", "L4STK", "NSTK", "LNSTK", "DEPTH", "DUP", "PGMMENU", "APPEND", "EXTEND",
    "SUBSTR", "LENGTH", "REV", "POS", "S\xAFN", "N\xAFS", "C\xAFN", "N\xAF" "C", "LIST?",
    "NEWLIST", "NEWSTR", "ERRMSG", "ERRNO", "RCOMPLX", "PCOMPLX", "CAPS", "Mixed", "NOP",
    "RTNERR", "DROPN", "DUPN", "PICK", "UNPICK", "R\xAEN", "R^N", "LASTO", "FUNC", "LSTO",
    "XASTO", "LXASTO", "HEAD", "X=?", "X\x8B?", "X<?", "X>?", "X\x89?", "X\x8A?", "0=?",
    "0\x8B?", "0<?", "0>?", "0\x89?", "0\x8A?", "PGMVAR", "VARMNU1", "LCLV", "XSTR"};

// Every key's description, continuation included: a key line, then its
// description, which runs on to the next line when it ends in a blank. The help
// shows the first line: no earlier line shadows a key.
std::map<std::string_view, std::string> Descriptions() {
  const auto rows = tables::Commands();
  std::map<std::string_view, std::string> texts;
  size_t i = 0;
  for (; i + 1 < rows.size(); i += 2) {
    EXPECT_EQ(HelpFor(rows[i]), rows[i + 1]) << rows[i];
    std::string& text = texts[rows[i]] = rows[i + 1];
    if (text.ends_with(' ') && i + 2 < rows.size()) text += rows[++i + 1];
  }
  EXPECT_EQ(i, rows.size());
  return texts;
}

TEST(HelpTable, KeysWithTheirDescriptions) {
  const auto rows = tables::Commands();
  const auto texts = Descriptions();
  // Plain ASCII, or the Windows-1252 en dash, multiplication and division signs.
  for (const auto& [key, text] : texts)
    for (unsigned char c : text)
      EXPECT_TRUE((c >= 0x20 && c < 0x7F) || c == 0x96 || c == 0xD7 || c == 0xF7) << key;
  EXPECT_EQ(rows[1], "Absolute value. Returns |x|.");
  EXPECT_EQ(HelpFor("BST"), "Back step. Move the program pointer to the previous program line. "
                            "(Not programmable.)");
  EXPECT_EQ(HelpFor("MVAR"),
            "Declare a menu variable in a SOLVER program. Parameter: variable name.");
  EXPECT_EQ(HelpFor("\x9F"), "Append symbol: precedes an Alpha string, the calculator appends "
                             "the string to the current contents of the Alpha register.");
}

// "(indirect allowed)" exactly where the instruction table has indirect forms,
// and every key an instruction of the tables or of today's calculators, under
// its name, the calculator's spelling or a pick's label (R/S), unless it says
// "(Not programmable.)": a misspelt key would help nobody.
TEST(HelpTable, KeysAndOperandNotesMatchTheInstructionTables) {
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
  std::set<std::string_view> programmable = kTodaysInstructionsNotInTablesYet;
  programmable.insert("KEY");
  for (auto table : {tables::FixedOpTxt(), tables::ModOpTxt(), tables::Aliases(),
                     tables::PickTexts()})
    for (std::string_view row : table) programmable.insert(row.substr(0, row.rfind(',')));
  for (const auto& [key, text] : byKey)
    EXPECT_NE(programmable.count(key), text.ends_with("(Not programmable.)")) << key;
}

// Every pick of the Program Tool types a line that encodes: a menu member as it
// stands, an instruction name of the grid or a member ending in a blank once an
// operand follows.
TEST(ProgramToolPicks, EveryPickEncodes) {
  std::vector<std::string> picks;
  for (const std::string& group : FixMenuGroups())
    for (std::string& member : FixMenuMembers(group)) picks.push_back(std::move(member));
  for (std::string_view row : tables::ModOpTxt())
    picks.push_back(std::string(row.substr(0, row.find(','))) + ' ');
  // Operands as a user types them after the pick.
  const std::string_view operands[] = {"01", "1", "\"A\"", "\"A\" TO 01"};
  for (const std::string& pick : picks) {
    const std::string text = PickedText(pick);
    if (kTodaysInstructionsNotInTablesYet.count(Trim(text))) continue;
    std::vector<std::string> lines = {text};
    if (text.ends_with(' ')) {
      lines.clear();
      for (std::string_view operand : operands) lines.push_back(text + std::string(operand));
    }
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      return !EncodeLine(CleanLine(line)).starts_with(kErrorMarker);
    })) << "pick \"" << pick << "\" types \"" << text << "\"";
  }
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
