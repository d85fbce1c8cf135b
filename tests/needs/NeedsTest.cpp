// What programs need of the calculator: the SIZE their registers and
// statistics call for, the indirect uses left uncounted, and the lines the
// original HP-42S lacks, for typed text and raw bytes alike.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/OpenProgram.h"
#include "needs/Needs.h"

namespace orrikey::needs {
namespace {

using Lines = std::vector<std::string>;

// Per program: "SIZE 31 R30@2", "SIZE 24 Σ11-23", "SIZE 0"; then " IND@3,5"
// for the indirect uses and " TODAY 2@4" for the lines the HP-42S lacks.
Lines Describe(const encoder::Assembly& assembly) {
  const labels::Analysis analysis = labels::Analyse(assembly);
  const Needs needs = Analyse(assembly, analysis);
  const auto lineOf = [&](size_t i) { return std::to_string(assembly.lines()[i].sourceLine); };
  Lines out;
  for (size_t p = 0; p < analysis.programs.size(); ++p) {
    const ProgramNeeds& program = needs.Of(p);
    const SizeNeed need = SizeNeeded(program);
    std::string said = "SIZE " + std::to_string(need.size);
    if (need.statistics) said += " Σ" + std::to_string(need.first) + "-" + std::to_string(need.last);
    else if (need.size > 0) said += " R" + std::to_string(need.first) + "@" + lineOf(need.line);
    for (size_t i = 0; i < std::min<size_t>(program.indirectCount, ProgramNeeds::kIndirectKept); ++i) {
      said += i == 0 ? " IND@" : ",";
      said += lineOf(program.indirectLines[i]);
    }
    if (program.indirectCount > ProgramNeeds::kIndirectKept)
      said += " and " + std::to_string(program.indirectCount - ProgramNeeds::kIndirectKept) + " more";
    if (program.todayCount > 0)
      said += " TODAY " + std::to_string(program.todayCount) + "@" + lineOf(program.firstToday);
    out.push_back(said);
  }
  return out;
}

struct Row {
  Lines program;
  Lines described;
};

class SizeTest : public testing::TestWithParam<Row> {};

// The lines as a file of program text holds them, in UTF-8.
encoder::Assembly Typed(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return document::ReadProgramText(text).assembly;
}

TEST_P(SizeTest, CountsWhatTheProgramUses) {
  EXPECT_EQ(Describe(Typed(GetParam().program)), GetParam().described);
}

INSTANTIATE_TEST_SUITE_P(
    Registers, SizeTest,
    testing::Values(
        // Every instruction that reads or writes a numbered register by number;
        // the highest decides, at its first use.
        Row{{"STO 30", "STO 02", "STO 30"}, {"SIZE 31 R30@1"}},
        Row{{"STO+ 05", "STO- 06", "STO× 07", "STO÷ 08"}, {"SIZE 9 R8@4"}},
        Row{{"RCL 05", "RCL+ 06", "RCL- 07", "RCL× 08", "RCL÷ 09"}, {"SIZE 10 R9@5"}},
        Row{{"ISG 12"}, {"SIZE 13 R12@1"}}, Row{{"DSE 13"}, {"SIZE 14 R13@1"}},
        Row{{"VIEW 14"}, {"SIZE 15 R14@1"}}, Row{{"ARCL 15", "ASTO 16"}, {"SIZE 17 R16@2"}},
        Row{{"X<> 17"}, {"SIZE 18 R17@1"}}, Row{{"INPUT 18"}, {"SIZE 19 R18@1"}},
        Row{{"X=? 19"}, {"SIZE 20 R19@1 TODAY 1@1"}}, Row{{"STO 102"}, {"SIZE 103 R102@1"}},
        // Flags, digits, counts, labels, stack registers and variables are no
        // numbered registers.
        Row{{"SF 30", "FS? 31", "FIX 09", "TONE 9", "LBL 40", "GTO 40", "XEQ 40", "KEY 1 XEQ 40"},
            {"SIZE 0"}},
        Row{{"DROPN 30"}, {"SIZE 0 TODAY 1@1"}},
        Row{{"STO ST X", "RCL \"A\"", "ASSIGN \"A\" TO 05", "SIZE 40"}, {"SIZE 0"}},
        // IND nn reads the register nn whatever the instruction; what a register
        // instruction then reaches is known only when it runs.
        Row{{"STO IND 05"}, {"SIZE 6 R5@1 IND@1"}},
        Row{{"SF IND 30", "GTO IND 07", "FIX IND 08"}, {"SIZE 31 R30@1"}},
        Row{{"RCL IND ST X", "VIEW IND \"A\"", "ISG IND 02", "X<> IND 03", "DSE IND ST Y"},
            {"SIZE 4 R3@4 IND@1,2,3 and 2 more"}}));

INSTANTIATE_TEST_SUITE_P(Statistics, SizeTest,
                         testing::Values(
                             // 13 registers from R11 in ALLΣ mode, 6 in LINΣ mode, from where ΣREG
                             // sets them: the highest the program sets.
                             Row{{"Σ+"}, {"SIZE 24 Σ11-23"}}, Row{{"MEAN", "LINΣ"}, {"SIZE 17 Σ11-16"}},
                             Row{{"LINΣ", "ALLΣ", "Σ-"}, {"SIZE 24 Σ11-23"}},
                             Row{{"ΣREG 40", "ΣREG 20", "CLΣ"}, {"SIZE 53 Σ40-52"}},
                             Row{{"ΣREG 02", "LINΣ", "SDEV"}, {"SIZE 8 Σ2-7"}},
                             Row{{"ΣREG 40", "STO 02"}, {"SIZE 3 R2@2"}},
                             Row{{"ΣREG IND 05", "Σ+"}, {"SIZE 24 Σ11-23 IND@1"}},
                             Row{{"ΣREG IND ST X", "Σ+"}, {"SIZE 24 Σ11-23 IND@1"}},
                             // A register beyond the block decides; so does one that ties with it.
                             Row{{"Σ+", "STO 30"}, {"SIZE 31 R30@2"}},
                             Row{{"Σ+", "STO 23"}, {"SIZE 24 R23@2"}}));

INSTANTIATE_TEST_SUITE_P(Programs, SizeTest,
                         testing::Values(
                             // Each program by itself, a program that needs nothing too; lines after
                             // the last END that hold no instruction are no program.
                             Row{{"LBL \"A\"", "STO 30", "END", "LBL \"B\"", "END", "Σ+", "END", ""},
                                 {"SIZE 31 R30@2", "SIZE 0", "SIZE 24 Σ11-23"}},
                             Row{{"STO 01", "END", "@ done"}, {"SIZE 2 R1@1"}},
                             // A line that does not convert needs nothing.
                             Row{{"STO 128", "FOO 30"}, {"SIZE 0"}}));

INSTANTIATE_TEST_SUITE_P(Today, SizeTest,
                         testing::Values(
                             // Today's instructions, and today's forms that have rows of their own;
                             // every form of an original row is the original's.
                             Row{{"X=Y?", "X=? ST Y", "NOP", "STO IND ST X", "0<? 03"},
                                 {"SIZE 4 R3@5 IND@4 TODAY 3@2"}},
                             Row{{"LBL \"A\"", "DUP", "END", "CLX"}, {"SIZE 0 TODAY 1@2", "SIZE 0"}}));

// A line's instruction is on the HP-42S when its table row is; today's
// calculators have them all.
struct TargetRow {
  std::string line;
  bool onHp42s;
};

class TargetTest : public testing::TestWithParam<TargetRow> {};

TEST_P(TargetTest, RunsWhereItsRowIs) {
  const encoder::AssembledLine line = Typed({GetParam().line}).lines().front().assembled;
  EXPECT_EQ(RunsOn(Target::kHp42s, line), GetParam().onHp42s);
  EXPECT_TRUE(RunsOn(Target::kToday, line));
}

INSTANTIATE_TEST_SUITE_P(Lines, TargetTest,
                         testing::Values(TargetRow{"STO IND ST X", true}, TargetRow{"X=Y?", true},
                                         TargetRow{"X=? ST Y", false}, TargetRow{"X≤? 05", false},
                                         TargetRow{"SIZE 0099", true}, TargetRow{"DROPN 2", false},
                                         TargetRow{"NOP", false}, TargetRow{"\"ABC\"", true},
                                         TargetRow{"1.5", true}, TargetRow{"LBL \"A\"", true},
                                         TargetRow{"PGMVAR \"A\"", false}, TargetRow{"FOO", true}));

// A raw file's forms that only a decoder meets read as the typed lines do:
// A6 79 is X=? IND ST Y, a form the HP-42S lacks; F3 A7 D1 05 wraps RCL+ 05.
TEST(RawProgram, NeedsWhatTheTypedLinesNeed) {
  const std::string raw("\xA6\x79\xF3\xA7\xD1\x05\x93\x1E\xC0\x00\x0D", 11);
  const encoder::Assembly read = document::ReadRawProgram(raw).assembly;
  const encoder::Assembly typed = Typed({"X=? IND ST Y", "RCL+ 05", "STO- 30", "END"});
  EXPECT_EQ(Describe(read), (Lines{"SIZE 31 R30@3 IND@1 TODAY 1@1"}));
  EXPECT_EQ(Describe(read), Describe(typed));
}

// Every front end takes a target by the same names, and names it back so.
TEST(TargetNames, ReadBackAsWritten) {
  for (const Target target : {Target::kToday, Target::kHp42s}) EXPECT_EQ(TargetNamed(NameOf(target)), target);
  for (const char* unknown : {"", "HP42S", "free42", "hp42s "}) EXPECT_FALSE(TargetNamed(unknown)) << unknown;
}

// The words every front end shows for a program: the count of today's lines
// agrees in number, and an indirect use leaves the SIZE at least.
struct SummaryRow {
  Lines program;
  std::string said;
};

class SummaryTest : public testing::TestWithParam<SummaryRow> {};

TEST_P(SummaryTest, SaysTheSizeAndWhetherTheHp42sRunsIt) {
  const encoder::Assembly assembly = Typed(GetParam().program);
  const labels::Analysis analysis = labels::Analyse(assembly);
  EXPECT_EQ(Summary(Analyse(assembly, analysis).Of(0), analysis), GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, SummaryTest,
    testing::Values(
        SummaryRow{{"CLX", "END"}, "needs SIZE 0; HP-42S: yes"},
        SummaryRow{{"STO 30", "RCL IND 02", "END"}, "needs SIZE 31 at least; HP-42S: yes"},
        SummaryRow{{"CLX", "DROPN 2", "END"},
                   "needs SIZE 0; HP-42S: no, 1 line uses today's instructions (first at line 2)"},
        SummaryRow{{"STO 30", "", "DUP", "NOP"},
                   "needs SIZE 31; HP-42S: no, 2 lines use today's instructions (first at line 3)"}));

}  // namespace
}  // namespace orrikey::needs
