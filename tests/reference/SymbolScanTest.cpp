// The symbol scanner's entries and the jump from an entry's line number.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/SymbolScan.h"

namespace orrikey {
namespace {

using Lines = std::vector<std::string>;

constexpr ScanKinds kAll{true, true, true, true};
constexpr ScanKinds kRegisters{true, false, false, false};
constexpr ScanKinds kVariables{false, true, false, false};
constexpr ScanKinds kLabels{false, false, false, true};

struct ScanRow {
  std::string line;  // the program's only line
  ScanKinds kinds;
  Lines entries;
};

class ScanLine : public testing::TestWithParam<ScanRow> {};

TEST_P(ScanLine, Entries) {
  EXPECT_EQ(ScanSymbols({GetParam().line}, GetParam().kinds), GetParam().entries)
      << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Registers, ScanLine,
    testing::Values(ScanRow{"STO 05", kRegisters, {"Reg  05\t\t Line 001"}},
                    ScanRow{"STO- 07", kRegisters, {"Reg  07\t\t Line 001"}},
                    ScanRow{"STO\xA0\t12", kRegisters, {"Reg  12\t\t Line 001"}},
                    ScanRow{"STO 123", kRegisters, {"Reg  12\t\t Line 001"}},
                    // The pattern is not anchored: ASTO holds STO.
                    ScanRow{"ASTO 10", kRegisters, {"Reg  10\t\t Line 001"}},
                    ScanRow{"RCL 05", kRegisters, {}}, ScanRow{"STO IND 05", kRegisters, {}},
                    ScanRow{"STO ST X", kRegisters, {}}, ScanRow{"STO  05", kRegisters, {}},
                    ScanRow{"STO 05", kVariables, {}}));

INSTANTIATE_TEST_SUITE_P(
    Names, ScanLine,
    testing::Values(ScanRow{"STO \"AB\"", kVariables, {"Var \"AB\"\t Line 001"}},
                    ScanRow{"STO \"A\"", kVariables, {"Var \"A\"\t\t Line 001"}},
                    ScanRow{"STOx \"AB\"", kVariables, {"Var \"AB\"\t Line 001"}},
                    // ".+" is greedy: the name runs to the line's last quote.
                    ScanRow{"STO \"A\" \"B\"", kVariables, {"Var \"A\" \"B\"\t Line 001"}},
                    ScanRow{"STO \"\"", kVariables, {}},
                    // Under any line-break convention 0x85 ends a line, and "." stops there.
                    ScanRow{"STO \"\x85X\"", kVariables, {}},
                    ScanRow{"MVAR \"RATE\"", kAll, {"Mvr \"RATE\"\t Line 001"}},
                    ScanRow{"LBL \"MAIN\"", kAll, {"Lbl \"MAIN\"\t Line 001"}},
                    ScanRow{"STO \"X\"", kAll, {"Var \"X\"\t\t Line 001"}}));

INSTANTIATE_TEST_SUITE_P(
    Labels, ScanLine,
    testing::Values(ScanRow{"LBL A", kLabels, {"Lbl  A\t\t Line 001"}},
                    ScanRow{"LBL A @ start", kLabels, {"Lbl  A\t\t Line 001"}},
                    ScanRow{"LBL e", kLabels, {"Lbl  e\t\t Line 001"}},
                    ScanRow{"LBL 01", kLabels, {"Lbl  01\t\t Line 001"}},
                    ScanRow{"LBL K", kLabels, {}}, ScanRow{"LBL f", kLabels, {}},
                    ScanRow{"LBL AB", kLabels, {}}, ScanRow{"GTO A", kLabels, {}},
                    // One line may yield a local and a numbered label both.
                    ScanRow{"LBL A LBL 02", kLabels, {"Lbl  A\t\t Line 001", "Lbl  02\t\t Line 001"}},
                    ScanRow{"LBL 05", ScanKinds{}, {}}));

TEST(ScanSymbols, ProgramOrderAndLineNumbers) {
  Lines program(1000, "CLX");
  program[0] = "LBL \"PRG\"";
  program[1] = "STO 05";
  program[2] = "STO+ 07";
  program[3] = "RCL 05";
  program[9] = "MVAR \"N\"";
  program[98] = "STO \"TOTAL\"";
  program[99] = "LBL 10";
  program[999] = "STO 05";
  EXPECT_EQ(ScanSymbols(program, kAll),
            (Lines{"Lbl \"PRG\"\t Line 001", "Reg  05\t\t Line 002", "Reg  07\t\t Line 003",
                   "Mvr \"N\"\t\t Line 010", "Var \"TOTAL\"\t Line 099", "Lbl  10\t\t Line 100",
                   "Reg  05\t\t Line 1000"}));
  EXPECT_TRUE(ScanSymbols({}, kAll).empty());
}

struct JumpRow {
  std::string selection;
  std::optional<JumpTarget::Kind> kind;
  size_t line = 0;
};

class Jump : public testing::TestWithParam<JumpRow> {};

TEST_P(Jump, FromALineNumberOfATwentyLineProgram) {
  const JumpRow& row = GetParam();
  const auto target = JumpTargetFor(row.selection, 20);
  ASSERT_EQ(target.has_value(), row.kind.has_value()) << row.selection;
  if (!target) return;
  EXPECT_EQ(target->kind, *row.kind) << row.selection;
  if (target->kind == JumpTarget::Kind::Line) {
    EXPECT_EQ(target->line, row.line) << row.selection;
  }
}

using enum JumpTarget::Kind;

INSTANTIATE_TEST_SUITE_P(
    Cases, Jump,
    testing::Values(JumpRow{"012", Line, 11}, JumpRow{"001", Line, 0}, JumpRow{"020", Line, 19},
                    JumpRow{" 012\t\r\n", Line, 11}, JumpRow{"+12", Line, 11},
                    JumpRow{"021", TextEnd}, JumpRow{"1000", TextEnd},
                    JumpRow{"99999999999999999999999", TextEnd}, JumpRow{"000", TextStart},
                    JumpRow{"-05", TextStart},
                    // Register and label numbers are two characters: no jump.
                    JumpRow{"05", std::nullopt}, JumpRow{" 05 ", std::nullopt},
                    JumpRow{"", std::nullopt}, JumpRow{"Line", std::nullopt},
                    JumpRow{"12a", std::nullopt}, JumpRow{"0 12", std::nullopt},
                    JumpRow{"---", std::nullopt}, JumpRow{"\"AB\"", std::nullopt}));

TEST(LineNumberText, AtLeastThreeDigits) {
  const std::pair<size_t, std::string> rows[] = {
      {1, "001"}, {9, "009"}, {10, "010"}, {99, "099"}, {100, "100"}, {1000, "1000"}};
  for (const auto& [n, text] : rows) EXPECT_EQ(LineNumberText(n), text);
}

}  // namespace
}  // namespace orrikey
