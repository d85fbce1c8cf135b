#pragma once

// The programs of a file as the calculator runs them, and where their labels
// are: for each program its local labels by name, and the file's global
// labels. That index holds a few bytes per label and nothing per other line,
// so that a file of any size is read through it; what a line's jump reaches
// and what is wrong with the line are worked out from the line and the index
// when asked. It is read from assembled lines, so typed text and a raw file
// give the same answers.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/Assembly.h"
#include "tables/Tables.h"

namespace orrikey::labels {

enum class LabelKind : unsigned char {
  kGlobal,  // LBL "NAME": found from every program of the calculator
  kNumber,  // LBL 00 to 99 (and the bytes up to 127): found only in its own program
  kLetter,  // LBL A to J and a to e: found only in its own program
};

// Line numbers are indices into the lines read; a file holds at most a few
// million, so the index keeps them in 32 bits.
struct Program {
  std::uint32_t first = 0;  // its lines [first, end), END included
  std::uint32_t end = 0;
  std::uint32_t size = 0;    // its bytes without END, as the calculator counts them
  std::uint32_t steps = 0;   // its instructions, END included
  std::uint32_t locals = 0;  // where its local labels start in Analysis::localLines
};

struct GlobalLabel {
  std::uint32_t line = 0;
  std::uint32_t name = 0;  // of its name in Analysis::globalNames
  std::uint8_t length = 0;
};

struct Analysis {
  std::vector<Program> programs;
  // Local labels, a program's after another's, each program's by name and
  // then by line. A name is the index of its text in localNames: a label is
  // one byte, so there are no more than 256.
  std::vector<std::string> localNames;
  std::vector<std::uint8_t> localNamesSorted;  // their keys by name
  std::vector<std::uint32_t> localLines;
  std::vector<std::uint8_t> localKeys;
  // Global labels in line order, their names in one text, and their
  // indices by name and then by line.
  std::vector<GlobalLabel> globals;
  std::string globalNames;
  std::vector<std::uint32_t> globalsByName;
  // The lines whose number in the file is not one past their index, and
  // their number: where a listing left lines out.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> renumbered;
  size_t lineCount = 0;

  // The number of the line in the file, counting from 1.
  size_t SourceLine(size_t line) const;
  std::string_view NameOf(const GlobalLabel& label) const {
    return {globalNames.data() + label.name, label.length};
  }
};

// Builds the analysis a line at a time, in line order.
class Analyser {
 public:
  void Add(size_t sourceLine, const encoder::AssembledLine& line);
  Analysis Finish();

 private:
  void EndProgram(bool holdsInstruction);

  Analysis out_;
  Program program_;
  bool holdsInstruction_ = false;
  std::map<std::string, std::uint8_t, std::less<>> localKeys_;
};

Analysis Analyse(const encoder::Assembly& assembly);

// What a line does with a label, read from its assembled form.
struct LabelLine {
  bool defines = false;   // LBL; else a jump (GTO, XEQ, KEY n GTO) or a program named (PGMSLV, VARMENU)
  bool indirect = false;  // GTO IND 05: the label is known only when it runs
  LabelKind kind = LabelKind::kNumber;
  std::string name;  // display codes, without quotes: "MAIN", "15", "A"
};
std::optional<LabelLine> LabelLineOf(const encoder::AssembledLine& line);

// The label line `line` defines, or the one its jump reaches by the
// calculator's own search: a local label in its own program, on from the
// line and then from the program's start; a global label in the whole file,
// the last of a name.
std::optional<size_t> TargetOf(const Analysis& analysis, size_t line, const LabelLine& label);

enum class WarningKind : unsigned char {
  kNoLocalLabel,     // a local reference with no such label in its program
  kDuplicateGlobal,  // a global label whose name an earlier one has
  kDuplicateLocal,   // a local label that an earlier one of its program repeats
  // Notes, which tell more than they warn:
  kOneOfDuplicates,  // a local reference to a repeated label: `other` is the one it reaches
  kNoGlobalLabel,    // a global reference no label of the file has: another program
                     // on the calculator may hold it
};

struct Warning {
  WarningKind kind;
  size_t line;
  std::optional<size_t> other;  // the line of the label repeated or reached
  std::string label;            // as a program line writes it: "MAIN" quoted, 15, A
};

// The warning of the line, which has at most one.
std::optional<Warning> WarningOn(const Analysis& analysis, size_t line,
                                 const encoder::AssembledLine& assembled);

// What the editor asks of an analysis, by line (an index into the
// assembly's lines).
// The program the line is in; none past the last one.
std::optional<size_t> ProgramOf(const Analysis& analysis, size_t line);
// What a jump on the line may name, as a line writes it: the local labels of
// its program, then the global labels of the file, each in line order.
std::vector<std::string> LabelsInScope(const Analysis& analysis, size_t line);
// The labels of a program in line order, as a line writes them.
std::vector<std::pair<size_t, std::string>> LabelsOf(const Analysis& analysis, size_t program);
// The first global label of a program, without quotes.
std::optional<std::string> FirstGlobalOf(const Analysis& analysis, size_t program);
// The line of the label the line defines, or of the one its jump reaches.
std::optional<size_t> LabelAt(const Analysis& analysis, const encoder::Assembly& assembly, size_t line);
// The lines of the jumps that reach the label on line `label`, in line order.
std::vector<size_t> UsesOf(const Analysis& analysis, const encoder::Assembly& assembly, size_t label);
// Renaming the label on line `label` to `shown` (as a line writes it: "MAIN"
// quoted, 15, A): the lines to rewrite with WithLabel, its own and those of
// the jumps that reach it, in line order; or, when the new name would change
// what the program does, why not. A global label stays global, a local one
// local; a label of the new name already in reach, or a jump that names it
// and would then land here, refuses the rename.
struct RenamePlan {
  std::vector<size_t> lines;
  std::string refusal;  // display codes; empty when the rename may go ahead
};
RenamePlan PlanRename(const Analysis& analysis, const encoder::Assembly& assembly, size_t label,
                      std::string_view shown);
// The program line, which defines or names a label of the kind, with that
// label written as `shown`; its comment stays.
std::string WithLabel(std::string_view line, LabelKind kind, std::string_view shown);

// The line of a step (the calculator's number, from 1) of the program that
// has the global label `program` (display codes, without quotes).
std::optional<size_t> LineOfStep(const Analysis& analysis, const encoder::Assembly& assembly,
                                 std::string_view program, size_t step);

// A label as a program line writes it: "MAIN" quoted, 15 and A as they are.
std::string Shown(LabelKind kind, std::string_view name);

// What a warning says, in display codes, without its line:
// "no label 15 in this program".
std::string WarningMessage(const Warning& warning, const Analysis& analysis);
// Notes leave a check clean.
bool IsNote(const Warning& warning);

}  // namespace orrikey::labels
