// The help lookup of a double-click: the first word, matched whole against
// every line of the help table.

#include <gtest/gtest.h>

#include <string>

#include "reference/Help.h"

namespace orrikey::reference {
namespace {

const std::string kStoHelp =
    "Store a copy of x into a destination register or variable. Parameter: register or variable "
    "(indirect allowed)";

TEST(HelpLookup, ShowsTheLineAfterTheFirstEqualLine) {
  const struct {
    std::string line;
    std::optional<std::string> help;  // nothing: the INFO pane stays empty
  } rows[] = {
      {"STO 05", kStoHelp}, {"STO", kStoHelp},
      // Nothing is trimmed: leading blanks make an empty word.
      {"  STO 05", std::nullopt}, {"", std::nullopt},
      // Tabs do not separate; a trailing tab spoils the word too.
      {"RCL\t05", std::nullopt}, {"STO\t", std::nullopt},
      {"sto 05", std::nullopt}, {"-5", std::nullopt},
      {"-", "Subtraction. Returns y \x96 x."}, {"\xA0", "Division. Returns y \xF7 x."},
      // A continued description comes whole.
      {"ARCL ST X",
       "Alpha recall. Copy data into the Alpha register, appending it to the current "
       "contents.Numbers are formatted using the current display format. Parameter: "
       "register or variable. (indirect allowed)"},
      // A description line is a key like any other: ARCL's continuation is
      // followed by the key line "AROT".
      {"allowed)", "AROT"},
  };
  for (const auto& row : rows) EXPECT_EQ(HelpFor(row.line), row.help) << row.line;
}

}  // namespace
}  // namespace orrikey::reference
