// Scripts of edits, as a person types, pastes and deletes, applied to the
// editing model: what it then says of the program.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/OpenProgram.h"
#include "editing/ProgramModel.h"

namespace orrikey::editing {
namespace {

using Lines = std::vector<std::string>;

// Replaces `count` lines from `first` on with `text`.
struct Edit {
  size_t first;
  size_t count;
  std::string text;
};

// "2:0-3 error: unknown instruction "FOO"", then " => fix" where one is given.
Lines Describe(const std::vector<Diagnostic>& diagnostics) {
  static const char* const kSeverity[] = {"error", "warning", "note"};
  Lines out;
  for (const Diagnostic& d : diagnostics)
    out.push_back(std::to_string(d.line) + ":" + std::to_string(d.begin) + "-" + std::to_string(d.end) + " " +
                  kSeverity[int(d.severity)] + ": " + d.message + (d.fix.empty() ? "" : " => " + d.fix));
  return out;
}

ProgramModel Edited(const std::vector<Edit>& edits) {
  ProgramModel model;
  for (const Edit& edit : edits) model.Replace(edit.first, edit.count, edit.text);
  return model;
}

struct ScriptRow {
  std::vector<Edit> edits;
  std::string text;  // the whole text afterwards
  Lines diagnostics;
  std::string size;  // of the whole text
};

class ScriptTest : public testing::TestWithParam<ScriptRow> {};

TEST_P(ScriptTest, SaysWhatIsWrongAndHowBigItIs) {
  const ProgramModel model = Edited(GetParam().edits);
  EXPECT_EQ(model.Text(), GetParam().text);
  EXPECT_EQ(Describe(model.Diagnostics()), GetParam().diagnostics);
  EXPECT_EQ(model.TotalSize(), GetParam().size);
  // A line's own diagnostics are those of the whole list on that line.
  Lines byLine;
  for (size_t line = 0; line < model.lineCount(); ++line)
    for (const std::string& d : Describe(model.DiagnosticsOn(line))) byLine.push_back(d);
  EXPECT_EQ(byLine, GetParam().diagnostics);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ScriptTest,
    testing::Values(
        // Typed a line at a time: a listing's spelling reads as the calculator's
        // and is offered in its spelling; a comment stays where it was.
        ScriptRow{{{0, 1, "LBL \"A\""}, {1, 0, "X<=Y?  @ small"}, {2, 0, "SF 5"}, {3, 0, "END"}},
                  "LBL \"A\"\nX<=Y?  @ small\nSF 5\nEND",
                  {"1:0-5 note: the calculator writes this as \"X≤Y?\" => X≤Y?  @ small",
                   "2:0-4 note: the calculator writes this as \"SF 05\" => SF 05"},
                  "{ 8-Byte Prgm }"},
        // Pasted, then the failing lines deleted: the warnings follow the lines.
        ScriptRow{{{0, 1, "LBL \"A\"\nGTO 15\n\"A✓\"\nFOO 5\nLBL 15\nEND"}, {2, 2, ""}},
                  "LBL \"A\"\nGTO 15\n\nLBL 15\nEND",
                  {},
                  "{ 10-Byte Prgm }"},
        ScriptRow{{{0, 1, "LBL \"A\"\nGTO 15\n\"A✓\"\nEND"}},
                  "LBL \"A\"\nGTO 15\n\"A\"\nEND",
                  {"1:4-6 warning: no label 15 in this program (Label Not Found when it runs)",
                   "2:2-3 error: the character ✓ (U+2713) has no calculator code"},
                  "{ 8-Byte Prgm }"},
        // Errors name the fault and mark it; a note moves with its line as lines
        // go in above it, and goes with it.
        ScriptRow{{{0, 1, "X<=Y?\n  FOO 5 @ x\nSTO 128"}, {0, 0, "CLX"}},
                  "CLX\nX<=Y?\n  FOO 5 @ x\nSTO 128",
                  {"1:0-5 note: the calculator writes this as \"X≤Y?\" => X≤Y?",
                   "2:2-5 error: unknown instruction \"FOO\"",
                   "3:4-7 error: register 128 is out of range (00 to 111, 117 to 127)"},
                  "{ 2-Byte Prgm }"},
        ScriptRow{{{0, 1, "CLX\nX<=Y?\nSTO 01"}, {0, 2, "ENTER"}}, "ENTER\nSTO 01", {}, "{ 2-Byte Prgm }"},
        // Two programs, each sized without its END.
        ScriptRow{{{0, 1, "LBL \"A\"\nEND\nLBL \"B\"\nLBL 01\nGTO 01\nEND\n"}},
                  "LBL \"A\"\nEND\nLBL \"B\"\nLBL 01\nGTO 01\nEND\n",
                  {},
                  "13 bytes in 2 programs"}));

TEST(ProgramModel, RefusesEditsPastTheText) {
  ProgramModel model;
  EXPECT_THROW(model.Replace(2, 0, "CLX"), std::out_of_range);
  EXPECT_THROW(model.Replace(0, 2, "CLX"), std::out_of_range);
  EXPECT_EQ(model.Text(), "");
}

// An opened file's lines come with their assembly; a file in program text
// keeps its listing spellings and offers the calculator's.
TEST(ProgramModel, TakesAnOpenedFileAsItsLines) {
  const ProgramModel model(document::ReadProgramText("LBL \"A\"\r\nX<=Y?\r\nEND\r\n"));
  EXPECT_EQ(model.Text(), "LBL \"A\"\nX<=Y?\nEND");
  EXPECT_EQ(Describe(model.Diagnostics()),
            Lines{"1:0-5 note: the calculator writes this as \"X≤Y?\" => X≤Y?"});
  EXPECT_EQ(model.SizeOf(1), "{ 6-Byte Prgm }");
}

// Raw bytes that stop mid-instruction end in an error line that says so.
TEST(ProgramModel, SaysWhereRawBytesStop) {
  const ProgramModel model(document::ReadRawProgram(std::string("\x77\xC0\x00", 3)));
  EXPECT_EQ(Describe(model.Diagnostics()),
            Lines{"1:0-17 error: the bytes end in the middle of an instruction"});
}

// The listing is the calculator's, whatever spelling the text was typed in.
TEST(ProgramModel, ListsAsTheCalculatorDoes) {
  const std::string listing = Edited({{0, 1, "LBL \"A\"\nX<=Y? @ typed as listings do\n\nEND"}}).Listing();
  EXPECT_NE(listing.find("X≤Y?"), std::string::npos) << listing;
  EXPECT_EQ(listing.find("@"), std::string::npos) << listing;
}

// What a program needs, said on the lines it concerns; the HP-42S target
// makes today's instructions errors and weighs the programs' bytes.
struct NeedsRow {
  needs::Target target;
  std::string text;
  Lines diagnostics;
};

class NeedsTest : public testing::TestWithParam<NeedsRow> {};

TEST_P(NeedsTest, SaysWhatTheProgramNeeds) {
  ProgramModel model = Edited({{0, 1, GetParam().text}});
  model.SetTarget(GetParam().target);
  EXPECT_EQ(Describe(model.Diagnostics()), GetParam().diagnostics);
  Lines byLine;
  for (size_t line = 0; line < model.lineCount(); ++line)
    for (const std::string& d : Describe(model.DiagnosticsOn(line))) byLine.push_back(d);
  EXPECT_EQ(byLine, GetParam().diagnostics);
}

// A program of `count` 15-character texts, 16 bytes each.
std::string Texts(std::string_view name, size_t count) {
  std::string text = "LBL \"" + std::string(name) + "\"\n";
  for (size_t i = 0; i < count; ++i) text += "\"ABCDEFGHIJKLMNO\"\n";
  return text + "END\n";
}

constexpr needs::Target kToday = needs::Target::kToday, kHp42s = needs::Target::kHp42s;

INSTANTIATE_TEST_SUITE_P(
    Targets, NeedsTest,
    testing::Values(
        NeedsRow{kToday, "LBL \"A\"\nSTO 30\nX=? ST Y\nEND", {"0:0-7 note: needs SIZE 31: uses R30"}},
        NeedsRow{kHp42s,
                 "LBL \"A\"\nSTO 30\nX=? ST Y  @ today's\nEND",
                 {"0:0-7 note: needs SIZE 31: uses R30",
                  "2:0-8 error: not on the HP-42S: an instruction of today's calculators"}},
        // A line that does not convert says so, and no more.
        NeedsRow{kHp42s,
                 "DUP\nDUP 2",
                 {"0:0-3 error: not on the HP-42S: an instruction of today's calculators",
                  "1:4-5 error: DUP takes no operand"}},
        // SIZE set below what the program uses warns where it is set.
        NeedsRow{
            kToday,
            "LBL \"A\"\nSIZE 20\nSTO 30\nEND",
            {"0:0-7 note: needs SIZE 31: uses R30", "1:0-7 warning: SIZE 20 is too small for this program, "
                                                    "which needs SIZE 31: it uses R30 at line 3"}},
        NeedsRow{kToday,
                 "SIZE 10\nΣ+\nEND\nSIZE 10\nSTO 09",
                 {"0:0-7 warning: SIZE 10 is too small for this program, which needs SIZE 24: statistics "
                  "registers R11 to R23"}},
        // Indirect uses are named, not guessed; the note goes to the program's
        // first global label; 25 registers, which a memory clear leaves, go
        // unsaid.
        NeedsRow{kToday,
                 "CLX\nLBL \"B\"\nSTO 30\nSTO IND 05\nRCL IND ST X\nEND\nSTO 24\nRCL IND 03",
                 {"1:0-7 note: needs SIZE 31 at least: uses R30; indirect uses at lines 4, 5 not counted"}},
        // Beyond about 7,200 bytes, the HP-42S has no room for them all.
        NeedsRow{kHp42s,
                 Texts("A", 400) + Texts("B", 60),
                 {"0:0-7 note: this program takes 6,405 bytes; the programs take 7,370 bytes; "
                  "the HP-42S has about 7,200 for programs and data",
                  "402:0-7 note: this program takes 965 bytes; the programs take 7,370 bytes; "
                  "the HP-42S has about 7,200 for programs and data"}},
        NeedsRow{kToday, Texts("A", 400) + Texts("B", 60), {}}, NeedsRow{kHp42s, Texts("A", 440), {}}));

struct OutlineRow {
  std::string text;
  Lines outline;  // "A 0-3 9: "A"@0 01@1", then the program's needs
};

class OutlineTest : public testing::TestWithParam<OutlineRow> {};

TEST_P(OutlineTest, ListsProgramsAndLabels) {
  const ProgramModel model = Edited({{0, 1, GetParam().text}});
  Lines outline;
  for (const OutlineProgram& program : model.Outline()) {
    std::string row = program.name + " " + std::to_string(program.first) + "-" + std::to_string(program.end) +
                      " " + std::to_string(program.size) + ":";
    for (const OutlineLabel& label : program.labels)
      row += " " + label.name + "@" + std::to_string(label.line);
    outline.push_back(row);
    outline.push_back(program.needs);
  }
  EXPECT_EQ(outline, GetParam().outline);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OutlineTest,
    testing::Values(OutlineRow{"LBL \"A\"\nLBL 01\nEND\nCLX\nLBL a\nEND\n\n",
                               {"\"A\" 0-3 6: \"A\"@0 01@1", "needs SIZE 0; HP-42S: yes",
                                "program 2 3-6 3: a@4", "needs SIZE 0; HP-42S: yes"}},
                    OutlineRow{
                        "STO 30\nDROPN 2\nEND",
                        {"program 1 0-3 5:",
                         "needs SIZE 31; HP-42S: no, 1 line uses today's instructions (first at line 2)"}},
                    OutlineRow{"", {}}));

TEST(ProgramModel, PlacesLinesByProgramAndStep) {
  const ProgramModel model = Edited({{0, 1, "LBL \"A\"\n@ note\nSTO 01\nEND\nCLX"}});
  const Place at = model.PlaceOf(2);
  EXPECT_EQ(at.program, 0u);
  EXPECT_EQ(at.step, 2u);
  EXPECT_EQ(at.offset, 5u);
  EXPECT_EQ(model.PlaceOf(1).step, 0u);
  EXPECT_EQ(model.PlaceOf(4).program, 1u);
  EXPECT_EQ(model.SizeOf(4), "{ 1-Byte Prgm }");
}

// At a caret: what completes the word, the help, and going by labels.
TEST(ProgramModel, AnswersAtTheCaret) {
  const ProgramModel model =
      Edited({{0, 1, "LBL \"A\"\nX<\nGTO \nLBL 15\nXEQ 15\nEND\nLBL \"B\"\nXEQ \"A\""}});
  const Completion glyph = model.CompletionsAt(1, 2);
  EXPECT_EQ(glyph.start, 0u);
  EXPECT_NE(std::find(glyph.words.begin(), glyph.words.end(), "X≤Y?"), glyph.words.end());
  // The labels in reach: this program's, then the file's globals.
  const Completion labels = model.CompletionsAt(2, 4);
  EXPECT_EQ(labels.start, 4u);
  EXPECT_NE(std::find(labels.words.begin(), labels.words.end(), "15"), labels.words.end());
  EXPECT_NE(std::find(labels.words.begin(), labels.words.end(), "\"B\""), labels.words.end());

  EXPECT_TRUE(model.HelpAt(4).has_value());
  EXPECT_EQ(Edited({{0, 1, "X<=Y? @ spelled as listings do"}}).HelpAt(0), Edited({{0, 1, "X≤Y?"}}).HelpAt(0));
  EXPECT_TRUE(Edited({{0, 1, "X<=Y?"}}).HelpAt(0).has_value());
  EXPECT_FALSE(model.HelpAt(1).has_value());
  EXPECT_EQ(model.DefinitionAt(4), 3u);
  EXPECT_EQ(model.DefinitionAt(7), 0u);
  EXPECT_EQ(model.UsesAt(3), (std::vector<size_t>{3, 4}));
  EXPECT_EQ(model.LabelNameAt(7), "\"A\"");
  EXPECT_FALSE(model.DefinitionAt(1).has_value());
}

struct RenameRow {
  std::string text;
  size_t line;
  std::string name;
  Lines edits;  // "3: GTO 02"
  std::string refusal;
};

class RenameTest : public testing::TestWithParam<RenameRow> {};

TEST_P(RenameTest, RenamesOnlyWhereJumpsStillLandAlike) {
  const ProgramModel model = Edited({{0, 1, GetParam().text}});
  const RenameResult result = model.RenameAt(GetParam().line, GetParam().name);
  Lines edits;
  for (const LineEdit& edit : result.edits) edits.push_back(std::to_string(edit.line) + ": " + edit.text);
  EXPECT_EQ(edits, GetParam().edits);
  EXPECT_EQ(result.refusal, GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, RenameTest,
    testing::Values(
        RenameRow{"LBL A\nGTO A @ back\nEND\nLBL A", 1, " 02 ", {"0: LBL 02", "1: GTO 02 @ back"}, ""},
        RenameRow{"LBL A\nXEQ A\nLBL 02\nXEQ 02", 0, "02", {}, "Label 02 is already at line 3"},
        RenameRow{"LBL \"P\"\nEND\nLBL \"Q\"\nXEQ \"R\"",
                  0,
                  "\"R\"",
                  {},
                  "The jump to \"R\" at line 4 would then reach this label"},
        RenameRow{"LBL A\nCLX", 1, "B", {}, "No label or jump to a label on this line"},
        RenameRow{"LBL A", 0, "✓", {}, "The calculator has no such name: ✓"}));

}  // namespace
}  // namespace orrikey::editing
