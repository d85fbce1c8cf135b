// The help table, the menu groups and the flag table: shape and exact bytes.

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "reference/Help.h"
#include "tables/Tables.h"

namespace orrikey {
namespace {

const std::vector<std::string_view> kKeys = {
    "ABS", "ACOS", "ACOSH", "ADV", "AGRAPH", "AIP", "ALENG", "ALL", "ALL\x85", "AND", "AOFF", "AON",
    "ARCL", "AROT", "ASHF", "ASIN", "ASINH", "ASSIGN", "ASTO", "ATAN", "ATANH", "ATOX", "AVIEW",
    "BASE+", "BASE-", "BASEx", "BASE\xA0", "BASE+/-", "BEEP", "BEST", "BINM", "BIT?", "BST", "CF",
    "CLA", "CLALL", "CLD", "CLKEYS", "CLLCD", "CLMENU", "CLP", "CLRG", "CLST", "CLV", "CLX",
    "CL\x85", "COMB", "COMPLEX", "CORR", "COS", "COSH", "CPXRES", "CPX?", "CROSS", "CUSTOM", "DECM",
    "DEG", "DEL", "DELAY", "DELR", "DET", "DIM", "DIM?", "DOT", "DSE", "EDIT", "EDITN", "END", "ENG",
    "ENTER", "EXITALL", "EXPF", "E^X", "E^X-1", "FC?", "FC?C", "FCSTX", "FCSTY", "FIX", "FNRM",
    "FP", "FS?", "FS?C", "GAMMA", "GETKEY", "GETM", "GRAD", "GROW", "GTO", "HEXM", "HMS+", "HMS-",
    "I+", "I-", "INDEX", "INPUT", "INSR", "INTEG", "INVRT", "IP", "ISG", "J+", "J-", "KEYASN", "KEY",
    "LASTX", "LBL", "LCLBL", "LINF", "LIN\x85", "LIST", "LN", "LN1+X", "LOG", "LOGF", "MAN", "MAT?",
    "MEAN", "MENU", "MOD", "MVAR", "N!", "NEWMAT", "NORM", "NOT", "OCTM", "OFF", "OLD", "ON", "OR",
    "PERM", "PGMINT", "PGMSLV", "PI", "PIXEL", "POLAR", "POSA", "PRA", "PRLCD", "PROFF", "PROMPT",
    "PRON", "PRP", "PRSTK", "PRUSR", "PRV", "PRX", "PR\x85", "PSE", "PUTM", "PWRF", "QUIET", "RAD",
    "RAN", "RCL", "RCL+", "RCL-", "RCLx", "RCL\xA0", "RCLEL", "RCLIJ", "RDX,", "RDX.", "REALRES",
    "REAL?", "RECT", "RND", "RNRM", "ROTXY", "RSUM", "RTN", "R<>R", "R^", "R\xAE", "R/S", "SCI",
    "SDEV", "SEED", "SF", "SIGN", "SIN", "SINH", "SIZE", "SLOPE", "SOLVE", "SQRT", "SST", "STO",
    "STO+", "STO-", "STOx", "STO\xA0", "STOEL", "STOIJ", "STOP", "STR?", "SUM", "TAN", "TANH",
    "TONE", "TRACE", "TRANS", "UVEC", "VARMENU", "VIEW", "WMEAN", "WRAP", "X<>", "X<>Y", "X<0?",
    "X<Y?", "X\x89" "0?", "X\x89Y?", "X=0?", "X=Y?", "X\x8B" "0?", "X\x8BY?", "X>0?", "X>Y?",
    "X\x8A" "0?", "X\x8AY?", "XEQ", "XOR", "XTOA", "X^2", "YINT", "Y^X", "1/X", "10^X", "+", "-",
    "x", "\xA0", "+/-", "\x85+", "\x85-", "\x85REG", "\x85REG?", "\xAF" "DEC", "\xAF" "DEG",
    "\xAFHMS", "\xAFHR", "\xAFOCT", "\xAFPOL", "\xAFRAD", "\xAFREC", "\xB0", "^", "\xAE", "\xAF",
    "%", "%CH", "\x9F"};

const std::set<std::string_view> kContinued = {
    "ARCL", "AROT", "DSE", "FC?C", "FS?C", "GETKEY", "GTO", "INPUT", "ISG", "KEY", "RCL+", "RTN",
    "VIEW", "\xAF" "DEC", "\xAFREC"};

struct HelpEntry {
  std::string_view key;
  std::string_view firstLine;
  std::string text;  // the description, continuation included
};

// Walks the table by the key list: a key line, its description, and for the
// continued entries one more line.
std::vector<HelpEntry> Entries() {
  const auto rows = tables::Commands();
  std::vector<HelpEntry> entries;
  size_t i = 0;
  for (std::string_view key : kKeys) {
    EXPECT_EQ(rows[i], key) << "row " << i;
    HelpEntry entry{rows[i], rows[i + 1], std::string(rows[i + 1])};
    i += 2;
    if (kContinued.count(key)) entry.text += rows[i++];
    entries.push_back(entry);
  }
  EXPECT_EQ(i, rows.size());
  return entries;
}

TEST(HelpTable, KeysInOrderWithTheirDescriptions) {
  ASSERT_EQ(kKeys.size(), 253u);
  ASSERT_EQ(tables::Commands().size(), 521u);
  for (const HelpEntry& entry : Entries()) {
    SCOPED_TRACE(std::string(entry.key));
    EXPECT_EQ(entry.key.find(' '), std::string_view::npos);
    EXPECT_NE(entry.firstLine.find(' '), std::string_view::npos) << "not a line of prose";
    // No earlier description line may shadow a key.
    EXPECT_EQ(HelpFor(entry.key), entry.firstLine);
    // Plain ASCII, or the Windows-1252 en dash, multiplication and division signs.
    for (unsigned char c : entry.text)
      EXPECT_TRUE((c >= 0x20 && c < 0x7F) || c == 0x96 || c == 0xD7 || c == 0xF7) << int(c);
  }
}

TEST(HelpTable, QuotedDescriptionsExact) {
  const auto rows = tables::Commands();
  EXPECT_EQ(rows[1], "Absolute value. Returns |x|.");
  EXPECT_EQ(HelpFor("STO"), "Store a copy of x into a destination register or variable. "
                            "Parameter: register or variable (indirect allowed)");
  EXPECT_EQ(HelpFor("BST"), "Back step. Move the program pointer to the previous program line. "
                            "(Not programmable.)");
  EXPECT_EQ(HelpFor("MVAR"), "Declare a menu variable in a SOLVER program. Parameter: variable name.");
  EXPECT_EQ(rows[25], "Alpha recall. Copy data into the Alpha register, appending it to the current "
                      "contents.Numbers are formatted using the current display format. Parameter: "
                      "register or variable. (indirect ");
  EXPECT_EQ(rows[26], "allowed)");
  EXPECT_EQ(rows.back(), "Append symbol: precedes an Alpha string, the calculator appends the "
                         "string to the current contents of the Alpha register. ");
}

// The operand part of each description agrees with the instruction table:
// "(indirect allowed)" exactly where the indirect forms have bytes.
TEST(HelpTable, OperandNotesMatchTheInstructionTable) {
  std::map<std::string_view, std::string> byKey;
  for (const HelpEntry& entry : Entries()) byKey[entry.key] = entry.text;
  for (std::string_view row : tables::ModOpTxt()) {
    std::string_view name = row.substr(0, row.find(','));
    if (name.starts_with("KEY ")) name = "KEY";
    SCOPED_TRACE(std::string(name));
    const std::string& text = byKey.at(name);
    const bool indirect = row.substr(row.find(',') + 1, 22) != std::string(22, 'F');
    // The append symbol's description tells its operand in prose.
    if (name != "\x9F") {
      EXPECT_NE(text.find("Parameter: "), std::string::npos);
    }
    EXPECT_EQ(text.find("(indirect allowed)") != std::string::npos, indirect);
  }
  std::set<std::string_view> programmable;
  for (auto table : {tables::FixedOpTxt(), tables::ModOpTxt()})
    for (std::string_view row : table) programmable.insert(row.substr(0, row.find(',')));
  for (const auto& [key, text] : byKey) {
    if (text.ends_with("(Not programmable.)")) {
      EXPECT_FALSE(programmable.count(key)) << key;
    }
  }
}

TEST(FixMenuList, GroupsAreWellFormed) {
  const auto rows = tables::FixMenu();
  ASSERT_EQ(rows.size(), 259u);
  size_t groups = 0, members = 0, i = 0;
  while (i < rows.size() && !rows[i].empty()) {
    SCOPED_TRACE(std::string(rows[i]));
    EXPECT_TRUE(rows[i].starts_with("-"));
    ++groups;
    size_t first = ++i;
    while (i < rows.size() && rows[i] != "@") {
      EXPECT_FALSE(rows[i].empty());
      EXPECT_FALSE(rows[i].starts_with("-"));
      ++i;
    }
    EXPECT_GT(i, first);
    members += i - first;
    ++i;  // the "@"
  }
  EXPECT_EQ(groups, 21u);
  EXPECT_EQ(members, 212u);
  EXPECT_EQ(rows.size() - i, 5u);
  for (; i < rows.size(); ++i) EXPECT_TRUE(rows[i].empty());
}

TEST(FlagTableText, LinesAndTabs) {
  const auto rows = tables::FlagTable();
  ASSERT_EQ(rows.size(), 61u);
  EXPECT_EQ(rows[0], "\tFlag\tFlag Name\t\tMachine\tMemory");
  EXPECT_EQ(rows[1], "\t\t\t\t\tReset\tClear");
  EXPECT_EQ(rows[2], std::string(63, '-'));
  EXPECT_EQ(rows[3], "");
  EXPECT_EQ(rows[4], "\t00-10\tUser Flags\t\tM\tClear");
  EXPECT_EQ(rows[9], "\t15-16\tPrint\tMoce\t\tM\tClear");
  EXPECT_EQ(rows[25], "\t40-41\tDisplay Format\t\tM\tFIX ");
  EXPECT_EQ(rows[48], "\t64\tReserved\t\tM\tClear ");
  EXPECT_EQ(rows[60], "\t81-99\tUser Flags\t\tM\tClear");
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
