// The help lookup of a double-click and the Program Tool's pickers: the
// help table against the instruction tables, the picks against the encoder.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "encoder/Encoder.h"
#include "reference/Help.h"
#include "reference/MenuGroups.h"
#include "tables/Tables.h"

namespace orrikey::reference {
namespace {

// The first word, matched whole against the words that start instructions'
// lines; the help of each instruction is checked by Descriptions().
TEST(HelpLookup, ShowsTheHelpOfTheFirstWord) {
  const struct {
    std::string line;
    std::optional<std::string> help;  // nothing: the INFO pane stays empty
  } rows[] = {
      {"STO 05", "Store a copy of x into a destination register or variable. Parameter: register or "
                 "variable (indirect allowed)"},
      // Nothing is trimmed: leading blanks make an empty word.
      {"  STO 05", std::nullopt},
      {"", std::nullopt},
      // Tabs do not separate; a trailing tab spoils the word too.
      {"RCL\t05", std::nullopt},
      {"STO\t", std::nullopt},
      {"sto 05", std::nullopt},
      {"-5", std::nullopt},
      // A line of a help text names nothing: ARCL's help runs on into "allowed)".
      {"allowed)", std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(HelpFor(row.line), row.help) << row.line;
}

// The help table keys an instruction under one spelling, but older files
// hold the table name and program text now the calculator's own: both find it.
TEST(HelpLookup, EitherSpellingFindsTheSameHelp) {
  const struct {
    std::string_view written, keyed;
  } rows[] = {
      {"RDX", "RDX,"}, {"DATE_PLUS", "DATE+"}, {"\x82", "x"}, {"RCL\x82 05", "RCLx"}, {"STO\x82", "STOx"}};
  for (const auto& row : rows) {
    ASSERT_TRUE(HelpFor(row.keyed)) << row.keyed;
    EXPECT_EQ(HelpFor(row.written), HelpFor(row.keyed)) << row.written;
  }
}

// Every help by its key: the first word of its instruction's name, or a key
// that is no instruction. The help shows it: no earlier instruction shadows a
// key.
std::map<std::string_view, std::string_view> Descriptions() {
  std::map<std::string_view, std::string_view> texts;
  const auto add = [&](std::string_view key, std::string_view text) {
    if (text.empty()) return;
    texts[key] = text;
    EXPECT_EQ(HelpFor(key), std::string(text)) << key;
  };
  for (const tables::FixedOp& op : tables::FixedOps()) add(op.name.substr(0, op.name.find(' ')), op.help);
  for (const tables::ModOp& op : tables::ModOps()) add(op.name.substr(0, op.name.find(' ')), op.help);
  for (const tables::TextPair& key : tables::KeyHelp()) add(key.key, key.value);
  return texts;
}

// "(indirect allowed)" exactly where the instruction table has indirect forms,
// and every key an instruction of the tables or of today's calculators, under
// its name, the calculator's spelling or a pick's label (R/S), unless it says
// "(Not programmable.)": a misspelt key would help nobody.
TEST(HelpTable, KeysAndOperandNotesMatchTheInstructionTables) {
  const auto byKey = Descriptions();
  for (const tables::ModOp& op : tables::ModOps().first(48)) {  // the original instructions
    std::string_view name = op.name;
    if (name.starts_with("KEY ")) name = "KEY";
    SCOPED_TRACE(std::string(name));
    const std::string_view text = byKey.at(name);
    const auto& ind = op.indirect;
    // Derived forms are the calculator's reading of bytes, not its keys.
    const bool indirect = (ind.name.exists && !ind.name.derived) || ind.stack.exists || ind.number.exists;
    // The append symbol's description tells its operand in prose.
    EXPECT_TRUE(name == "\x9F" || text.find("Parameter: ") != std::string::npos);
    EXPECT_EQ(text.find("(indirect allowed)") != std::string::npos, indirect);
  }
  std::set<std::string_view> programmable = {"KEY"};
  for (const auto& op : tables::FixedOps()) programmable.insert(op.name);
  for (const auto& op : tables::ModOps()) programmable.insert(op.name);
  for (auto table : {tables::Aliases(), tables::PickTexts()})
    for (const tables::TextPair& pair : table) programmable.insert(pair.key);
  for (const auto& [key, text] : byKey)
    EXPECT_NE(programmable.count(key), text.ends_with("(Not programmable.)")) << key;
}

// Every group has members, and every pick of the Program Tool types a line
// that encodes: a menu member as it stands, an instruction name of the grid or
// a member ending in a blank once an operand follows.
TEST(ProgramToolPicks, EveryPickEncodes) {
  std::vector<std::string> picks;
  for (const std::string& group : FixMenuGroups()) {
    std::vector<std::string> members = FixMenuMembers(group);
    EXPECT_FALSE(members.empty()) << group;  // the last group ends before the list's closing lines
    for (std::string& member : members) picks.push_back(std::move(member));
  }
  for (const tables::ModOp& op : tables::ModOps()) picks.push_back(std::string(op.name) + ' ');
  // Operands as a user types them after the pick.
  const std::string_view operands[] = {"01", "1", "\"A\"", "\"A\" TO 01"};
  for (const std::string& pick : picks) {
    const std::string text = PickedText(pick);
    std::vector<std::string> lines = {text};
    if (text.ends_with(' ')) {
      lines.clear();
      for (std::string_view operand : operands) lines.push_back(text + std::string(operand));
    }
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& line) { return !encoder::AssembleLine(line).failed(); }))
        << "pick \"" << pick << "\" types \"" << text << "\"";
  }
}

// A member names its instruction by its name, its calculator spelling or a
// pick's label, and an instruction may stand in several places.
TEST(MenuPlaces, EachInstructionKnowsWhereItStands) {
  const struct {
    std::string_view name;
    std::vector<std::string> places;  // the group and the member as shown
  } rows[] = {
      {"CLA", {"-ALPHA CLA", "-CLEAR CLA"}},
      {"RDX", {"-MODES RDX,"}},
      {"STOP", {"-PROGRAM R/S", "-PROGRAM STOP"}},
      {"Y^X", {"-MATH X^Y"}},
      {"CLV", {"-CLEAR CLV"}},
      {"LCLV", {"-PRGM LCLV "}},
      {"STO", {}},
  };
  for (const auto& row : rows) {
    std::vector<std::string> places;
    const auto collect = [&](const auto& ops) {
      for (const auto& op : ops)
        if (op.name == row.name)
          for (const tables::MenuPlace& place : op.menus)
            places.push_back(std::string(place.group) + ' ' + std::string(place.shown));
    };
    collect(tables::FixedOps());
    collect(tables::ModOps());
    EXPECT_EQ(places, row.places) << row.name;
  }
}

TEST(FixMenuMembers, ListsTheLinesUpToTheGroupEnd) {
  const struct {
    std::string text;
    std::vector<std::string> members;
  } rows[] = {
      // The scan goes on past the first equal line: CLA stands in two groups.
      {"CLA",
       {"POSA", "PROMPT", "STR?", "XTOA", "CLD", "CLKEYS", "CLLCD", "CLMENU", "CLP", "CLRG", "CLST", "CLV",
        "CLX", "CL\x85"}},
      {"-menu", {}},
      {"-MENU ", {}},
  };
  for (const auto& row : rows) EXPECT_EQ(FixMenuMembers(row.text), row.members) << row.text;
}

}  // namespace
}  // namespace orrikey::reference
