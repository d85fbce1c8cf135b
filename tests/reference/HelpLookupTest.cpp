// The help lookup of a double-click: the first word, matched whole against
// every line of the help table.

#include <gtest/gtest.h>

#include <string>

#include "reference/Help.h"

namespace orrikey {
namespace {

const std::string kStoHelp =
    "Store a copy of x into a destination register or variable. Parameter: register or variable "
    "(indirect allowed)";

struct LookupRow {
  std::string line;
  std::optional<std::string> help;  // nothing: the INFO pane stays empty
};

class HelpLookup : public testing::TestWithParam<LookupRow> {};

TEST_P(HelpLookup, ShowsTheLineAfterTheFirstEqualLine) {
  EXPECT_EQ(HelpFor(GetParam().line), GetParam().help) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpLookup,
    testing::Values(
        LookupRow{"STO 05", kStoHelp}, LookupRow{"STO", kStoHelp},
        LookupRow{"STO \"NAME\" @ keep", kStoHelp},
        // Nothing is trimmed: leading blanks make an empty word.
        LookupRow{"  STO 05", std::nullopt}, LookupRow{"", std::nullopt},
        LookupRow{" ", std::nullopt},
        // Tabs do not separate; a trailing tab spoils the word too.
        LookupRow{"RCL\t05", std::nullopt}, LookupRow{"STO\t", std::nullopt},
        LookupRow{"sto 05", std::nullopt},
        LookupRow{"KEY 1 GTO 05", "Key assignment. Makes key 1 to 9 of the programmable menu go "
                                  "to (KEY n GTO) or execute (KEY n XEQ) a label "},
        LookupRow{"+", "Addition. Returns y + x."},
        LookupRow{"-", "Subtraction. Returns y \x96 x."}, LookupRow{"-5", std::nullopt},
        LookupRow{"x", "Multiplication. Returns y \xD7 x."},
        LookupRow{"\xA0", "Division. Returns y \xF7 x."},
        LookupRow{"STO\xA0 IND 05",
                  "Store divide. Divides the contents of a register or variable by x. "
                  "Parameter: register or variable (indirect allowed)"},
        // Only the first line of a continued description.
        LookupRow{"ARCL ST X",
                  "Alpha recall. Copy data into the Alpha register, appending it to the current "
                  "contents.Numbers are formatted using the current display format. Parameter: "
                  "register or variable. (indirect "},
        // A description line is a key like any other: ARCL's continuation is
        // followed by the key line "AROT".
        LookupRow{"allowed)", "AROT"},
        LookupRow{"\"TEXT\"", std::nullopt}));

}  // namespace
}  // namespace orrikey
