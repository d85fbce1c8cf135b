// The calculator's label search over assembled programs: where each jump
// lands and what the warnings say, for typed text and raw bytes alike.

#include <gtest/gtest.h>

#include "document/OpenProgram.h"
#include "labels/Labels.h"

namespace orrikey::labels {
namespace {

using Lines = std::vector<std::string>;

// "2>4": the reference on line 2 reaches the label on line 4 ("?" none, "IND"
// indirect); then the warnings, "3: ..." or "3: note: ...".
Lines Describe(const encoder::Assembly& assembly) {
  const Analysis analysis = Analyse(assembly);
  const auto lineOf = [&](size_t i) { return std::to_string(assembly.lines()[i].sourceLine); };
  Lines out, warnings;
  for (size_t i = 0; i < assembly.lines().size(); ++i) {
    const encoder::AssembledLine& line = assembly.lines()[i].assembled;
    const std::optional<LabelLine> label = LabelLineOf(line);
    if (label && !label->defines) {
      const std::optional<size_t> target = TargetOf(analysis, i, *label);
      out.push_back(lineOf(i) + ">" + (label->indirect ? "IND" : target ? lineOf(*target) : "?"));
    }
    if (const std::optional<Warning> warning = WarningOn(analysis, i, line))
      warnings.push_back(lineOf(i) + (IsNote(*warning) ? ": note: " : ": ") +
                         WarningMessage(*warning, analysis));
  }
  out.insert(out.end(), warnings.begin(), warnings.end());
  return out;
}

struct Row {
  Lines program;
  Lines described;
};

class SearchTest : public testing::TestWithParam<Row> {};

TEST_P(SearchTest, ReachesTheLabelTheCalculatorFinds) {
  EXPECT_EQ(Describe(encoder::Assemble(GetParam().program)), GetParam().described);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SearchTest,
    testing::Values(
        Row{{"LBL \"P\"", "GTO 01", "LBL 01", "XEQ A", "@ a", "LBL A", "END"}, {"2>3", "4>6"}},
        // Searched on from the line, then from the program's start: a label
        // before the jump is found, and of two copies the next one.
        Row{{"LBL 07", "LBL 01", "GTO 01", "LBL 01", "GTO 01", "GTO 07"},
            {"3>4", "5>2", "6>1", "3: note: label 01 is in this program more than once; this goes to line 4",
             "4: local label 01 is also at line 2 of this program",
             "5: note: label 01 is in this program more than once; this goes to line 2"}},
        // Local labels belong to their program; letters keep their case.
        Row{{"GTO 02", "XEQ a", "LBL A", "END", "LBL 02", "LBL a"},
            {"1>?", "2>?", "1: no label 02 in this program (Label Not Found when it runs)",
             "2: no label a in this program (Label Not Found when it runs)"}},
        // A global label is found in every program, the last of a name first.
        Row{{"XEQ \"B\"", "PGMSLV \"B\"", "GTO \"C\"", "END", "LBL \"B\"", "END", "LBL \"B\""},
            {"1>7", "2>7", "3>?", "3: note: no global label \"C\" in this file; another program may hold it",
             "7: global label \"B\" is also at line 5"}},
        Row{{"KEY 3 GTO 12", "KEY 9 XEQ \"Z\"", "KEY 1 XEQ IND 05", "LBL 12"},
            {"1>4", "2>?", "3>IND",
             "2: note: no global label \"Z\" in this file; another program may hold it"}},
        Row{{"GTO IND 05", "XEQ IND ST X", "VARMENU IND \"V\"", "SOLVE \"X\"", "MVAR \"X\""},
            {"1>IND", "2>IND", "3>IND"}},
        // Jumps before, between and after three copies, among other labels of
        // the program and copies in the next one.
        Row{{"GTO 05", "LBL 05", "LBL 09", "GTO 05", "LBL 05", "LBL 05", "GTO 05", "END", "LBL 05", "GTO 05"},
            {"1>2", "4>5", "7>2", "10>9",
             "1: note: label 05 is in this program more than once; this goes to line 2",
             "4: note: label 05 is in this program more than once; this goes to line 5",
             "5: local label 05 is also at line 2 of this program",
             "6: local label 05 is also at line 2 of this program",
             "7: note: label 05 is in this program more than once; this goes to line 2"}},
        // A global repeated across programs: the first is the one repeated, the
        // last the one found.
        Row{{"LBL \"G\"", "END", "XEQ \"G\"", "LBL \"G\"", "END", "LBL \"G\"", "LBL \"F\""},
            {"3>6", "4: global label \"G\" is also at line 1", "6: global label \"G\" is also at line 1"}}));

// A raw file keeps the jump distances the calculator caches in GTO and XEQ,
// and may hold today's wider forms; its labels are the typed lines' labels.
TEST(RawProgram, NamesItsLabelsAsTypedTextDoes) {
  const std::string raw("\xC0\x00\xF2\x00\x50\x02\xB2\x05\xE1\x23\x66\xCF\x66\x1E\xF1\x50"
                        "\xF3\xA7\xB5\x50\xC0\x00\x0D",
                        23);
  const encoder::Assembly typed = encoder::Assemble(
      {"LBL \"P\"", "LBL 01", "GTO 01", "XEQ A", "LBL A", "XEQ \"P\"", "PGMSLV \"P\"", "END"});
  const encoder::Assembly read = document::ReadRawProgram(raw).assembly;
  EXPECT_EQ(Describe(read), (Lines{"3>2", "4>5", "6>1", "7>1"}));
  EXPECT_EQ(Describe(read), Describe(typed));
  const Program fromRaw = Analyse(read).programs.at(0), fromText = Analyse(typed).programs.at(0);
  EXPECT_EQ(fromRaw.steps, fromText.steps);
  EXPECT_EQ(fromRaw.size, fromText.size + 1);  // the wider PGMSLV
}

// LBL IND, which only stray bytes hold (CF DE), defines no label: not 94,
// and two of them are not one label twice.
TEST(RawProgram, IndirectLabelDefinesNone) {
  const std::string raw("\xCF\xDE\xD0\x00\x5E\xCF\xDF", 7);
  const encoder::Assembly read = document::ReadRawProgram(raw).assembly;
  EXPECT_FALSE(LabelLineOf(read.lines()[0].assembled));
  EXPECT_EQ(Describe(read), (Lines{"2>?", "2: no label 94 in this program (Label Not Found when it runs)"}));
}

// What the editor asks by line: the labels a jump there may name, and the
// label under the caret with the jumps that reach it.
TEST(Lookup, AnswersByLine) {
  const encoder::Assembly assembly = encoder::Assemble(
      {"LBL \"P\"", "LBL 01", "GTO 01", "END", "LBL \"Q\"", "@ x", "LBL A", "XEQ A", "GTO A", "END", "CLX"});
  const Analysis analysis = Analyse(assembly);
  EXPECT_EQ(LineOfStep(analysis, assembly, "Q", 3), 7u);
  EXPECT_EQ(LineOfStep(analysis, assembly, "Q", 9), std::nullopt);
  EXPECT_EQ(LineOfStep(analysis, assembly, "R", 1), std::nullopt);
  EXPECT_EQ(LabelsInScope(analysis, 7), (Lines{"A", "\"P\"", "\"Q\""}));
  EXPECT_EQ(ProgramOf(analysis, 10), 2u);  // lines after the last END are a program too
  const std::optional<size_t> a = LabelAt(analysis, assembly, 7);
  EXPECT_EQ(a, 6u);
  EXPECT_EQ(LabelAt(analysis, assembly, 6), a);
  EXPECT_EQ(UsesOf(analysis, assembly, 6), (std::vector<size_t>{7, 8}));
  EXPECT_EQ(LabelAt(analysis, assembly, 3), std::nullopt);
}

TEST(Rename, WritesTheNewLabelWhereTheOldOneStood) {
  const struct {
    std::string line, shown;
    LabelKind kind;
    std::string renamed;
  } rows[] = {
      {"LBL 01", "15", LabelKind::kNumber, "LBL 15"},
      {"KEY 3 XEQ A @ the A key", "02", LabelKind::kLetter, "KEY 3 XEQ 02 @ the A key"},
      {"  GTO 7  ", "b", LabelKind::kNumber, "  GTO b  "},
      {"PGMSLV \"F\" @ \"x\"", "\"FN\"", LabelKind::kGlobal, "PGMSLV \"FN\" @ \"x\""},
  };
  for (const auto& row : rows) EXPECT_EQ(WithLabel(row.line, row.kind, row.shown), row.renamed) << row.line;
}

// A rename goes ahead only where every jump still lands where it did.
TEST(Rename, RefusesNamesThatMoveAJump) {
  const Lines program = {
      "LBL \"MAIN\"",  // 1
      "LBL A",         // 2
      "XEQ A",         // 3
      "GTO 02",        // 4
      "LBL 02",        // 5
      "XEQ \"LIB\"",   // 6
      "GTO IND 05",    // 7
      "END",           // 8
      "LBL 03",        // 9
      "GTO 03",        // 10
  };
  const struct {
    size_t labelLine;  // of the label renamed
    std::string shown;
    std::vector<size_t> lines;
    std::string refusal;
  } rows[] = {
      {2, "07", {2, 3}, ""},
      {2, "B", {2, 3}, ""},
      {2, "03", {2, 3}, ""},  // another program's label is out of reach
      {2, "A", {}, ""},
      {2, "02", {}, "Label 02 is already at line 5"},
      {5, "A", {}, "Label A is already at line 2"},
      {1, "\"LIB\"", {}, "The jump to \"LIB\" at line 6 would then reach this label"},
      {1, "\"NEW\"", {1}, ""},
      {1, "NEW", {}, "Not a global label: NEW"},
      {2, "\"NEW\"", {}, "Not a local label: \"NEW\""},
      {9, "\"MAIN\"", {}, "Not a local label: \"MAIN\""},
  };
  const encoder::Assembly assembly = encoder::Assemble(program);
  const Analysis analysis = Analyse(assembly);
  for (const auto& row : rows) {
    const std::optional<size_t> label = LabelAt(analysis, assembly, row.labelLine - 1);
    ASSERT_TRUE(label) << row.labelLine;
    const RenamePlan plan = PlanRename(analysis, assembly, *label, row.shown);
    std::vector<size_t> lines;
    for (size_t line : plan.lines) lines.push_back(line + 1);
    EXPECT_EQ(lines, row.lines) << row.labelLine << " to " << row.shown;
    EXPECT_EQ(plan.refusal, row.refusal) << row.labelLine << " to " << row.shown;
  }
}

}  // namespace
}  // namespace orrikey::labels
