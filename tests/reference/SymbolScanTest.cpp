// The symbol scanner's entries and the jump from an entry's line number.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/SymbolScan.h"

namespace orrikey::reference {
namespace {

using Lines = std::vector<std::string>;

constexpr ScanKinds kAll{true, true, true, true};

TEST(ScanSymbols, EntriesOfOneLine) {
  const struct {
    std::string line;  // the program's only line
    Lines entries;
  } rows[] = {
      {"STO 05", {"Reg  05\t\t Line 001"}},
      {"STO\xA0\t12", {"Reg  12\t\t Line 001"}},
      {"STO 123", {"Reg  12\t\t Line 001"}},
      {"STO IND 05", {}},
      {"STO  05", {}},
      {"ASTO 10", {"Reg  10\t\t Line 001"}},  // the pattern is not anchored
      {"STO \"AB\"", {"Var \"AB\"\t Line 001"}},
      {"STO \"A\"", {"Var \"A\"\t\t Line 001"}},
      // ".+" is greedy: the name runs to the line's last quote.
      {"STO \"A\" \"B\"", {"Var \"A\" \"B\"\t Line 001"}},
      // Σ (0x85) is part of a name; a comment holds no symbols.
      {"STO \"\x85X\"", {"Var \"\x85X\"\t Line 001"}},
      {"STO \"\"", {}},
      {"CLX @ LBL \"OLD\" STO 05", {}},
      {"MVAR \"RATE\"", {"Mvr \"RATE\"\t Line 001"}},
      {"LBL \"MAIN\"", {"Lbl \"MAIN\"\t Line 001"}},
      {"LBL A", {"Lbl  A\t\t Line 001"}},
      {"LBL e @ start", {"Lbl  e\t\t Line 001"}},
      {"LBL 01", {"Lbl  01\t\t Line 001"}},
      {"LBL K", {}},
      {"LBL f", {}},
      {"LBL AB", {}},
      // Within a line: register, variable, menu variable, then local and numbered label.
      {"LBL 02 MVAR \"B\" LBL A STO 05",
       {"Reg  05\t\t Line 001", "Mvr \"B\"\t\t Line 001", "Lbl  A\t\t Line 001", "Lbl  02\t\t Line 001"}},
  };
  for (const auto& row : rows) EXPECT_EQ(ScanSymbols({row.line}, kAll), row.entries) << row.line;
  // Only the kinds asked for.
  const Lines line = {"LBL 05 STO 05 STO \"A\" MVAR \"B\""};
  EXPECT_EQ(ScanSymbols(line, {true, false, false, false}), Lines{"Reg  05\t\t Line 001"});
}

// The window sorts the entries: where they stand in the program shows only
// in their line numbers, of three digits at least.
TEST(ScanSymbols, NumbersTheLines) {
  Lines program(1000, "CLX");
  program[9] = program[99] = program[999] = "STO+ 07";
  EXPECT_EQ(ScanSymbols(program, kAll),
            (Lines{"Reg  07\t\t Line 010", "Reg  07\t\t Line 100", "Reg  07\t\t Line 1000"}));
}

TEST(JumpTargetFor, LineNumbersOfATwentyLineProgram) {
  using enum JumpTarget::Kind;
  const struct {
    std::string selection;
    std::optional<JumpTarget::Kind> kind;
    size_t line = 0;
  } rows[] = {
      {"001", Line, 0},
      {"020", Line, 19},
      {" 012\t\r\n", Line, 11},
      {"+12", Line, 11},
      {"021", TextEnd},
      {"99999999999999999999999", TextEnd},
      {"000", TextStart},
      {"-05", TextStart},
      // Register and label numbers are two characters: no jump.
      {"05", std::nullopt},
      {" 05 ", std::nullopt},
      {"12a", std::nullopt},
      {"0 12", std::nullopt},
      {"---", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.selection);
    const auto got = JumpTargetFor(row.selection, 20);
    ASSERT_EQ(got.has_value(), row.kind.has_value());
    if (got) {
      EXPECT_EQ(std::pair(got->kind, got->line), std::pair(*row.kind, row.line));
    }
  }
}

}  // namespace
}  // namespace orrikey::reference
