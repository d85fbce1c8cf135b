#pragma once

// The programs of a file as the calculator runs them: the labels each one
// holds, the lines that go to a label or name a program, and the label each
// of those reaches by the calculator's own search. It is read from an
// Assembly, so typed text and a raw file give the same answers.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "encoder/Assembly.h"
#include "tables/Tables.h"

namespace orrikey::labels {

enum class LabelKind : unsigned char {
  kGlobal,  // LBL "NAME": found from every program of the calculator
  kNumber,  // LBL 00 to 99 (and the bytes up to 127): found only in its own program
  kLetter,  // LBL A to J and a to e: found only in its own program
};

// Line numbers are indices into Assembly::lines(), programs indices into
// Analysis::programs, labels indices into Analysis::labels.
struct Label {
  size_t line;
  size_t program;
  LabelKind kind;
  std::string name;  // display codes, without quotes: "MAIN", "15", "A"
};

// GTO, XEQ, KEY n GTO and KEY n XEQ go to a label; PGMSLV, VARMENU and the
// like name the program of a global label.
struct Reference {
  size_t line;
  size_t program;
  const tables::ModOp* instruction;
  bool indirect;   // GTO IND 05: the label is known only when it runs
  LabelKind kind;  // of the label named, when not indirect
  std::string name;
  std::optional<size_t> target;
};

struct Program {
  size_t first;  // its lines [first, end), END included
  size_t end;
  size_t size;   // its bytes without END, as the calculator counts them
  size_t steps;  // its instructions, END included
  std::vector<size_t> globals;
};

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

struct Analysis {
  std::vector<Program> programs;
  std::vector<Label> labels;
  std::vector<Reference> references;
  std::vector<Warning> warnings;  // in line order
};

Analysis Analyse(const encoder::Assembly& assembly);

// What the editor asks of an analysis, by line (an index into the
// assembly's lines).
// The program the line is in; none past the last one.
std::optional<size_t> ProgramOf(const Analysis& analysis, size_t line);
// What a jump on the line may name, as a line writes it: the local labels of
// its program, then the global labels of the file.
std::vector<std::string> LabelsInScope(const Analysis& analysis, size_t line);
// The label the line defines, or the one its jump reaches.
std::optional<size_t> LabelAt(const Analysis& analysis, size_t line);
// The references that reach the label, in line order.
std::vector<const Reference*> UsesOf(const Analysis& analysis, size_t label);
// Renaming the label `label` to `shown` (as a line writes it: "MAIN" quoted,
// 15, A): the lines to rewrite with WithLabel, its own and those of the
// jumps that reach it, in line order; or, when the new name would change
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
std::string Shown(LabelKind kind, const std::string& name);

// What a warning says, in display codes, without its line:
// "no label 15 in this program".
std::string WarningMessage(const Warning& warning, const encoder::Assembly& assembly);
// Notes leave a check clean.
bool IsNote(const Warning& warning);

}  // namespace orrikey::labels
