#pragma once

// ProgramModel: a program text as it is being edited, and everything a front
// end asks of it. The desktop editor, the page, the command line and the
// language server each hold one and hand it their edits, so a program reads,
// checks, sizes and completes alike in all of them.
//
// Lines are numbered from 0 and columns count characters (each display code
// is one). Text crosses this boundary in UTF-8; inside, lines are display
// codes as everywhere in the core.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/OpenProgram.h"
#include "editing/LineDiagnostics.h"
#include "encoder/Assembly.h"
#include "labels/Labels.h"
#include "needs/Needs.h"

namespace orrikey::editing {

// A line rewritten whole, as a rename asks.
struct LineEdit {
  size_t line = 0;
  std::string text;
};

struct RenameResult {
  std::vector<LineEdit> edits;
  std::string refusal;  // empty when the rename may go ahead
};

struct OutlineLabel {
  size_t line = 0;
  std::string name;  // as a program line writes it: "MAIN" quoted, 15, A
  bool operator==(const OutlineLabel&) const = default;
};

struct OutlineProgram {
  std::string name;  // its first global label, else "program 3"
  size_t first = 0;  // its lines [first, end), END included
  size_t end = 0;
  size_t size = 0;    // bytes without END, as the calculator counts them
  size_t steps = 0;   // END included
  std::string needs;  // as the command line's programs says it
  std::vector<OutlineLabel> labels;
};

struct Place {
  std::optional<size_t> program;  // none past the last program
  size_t step = 0;                // the calculator's step number; 0 for a line with no bytes
  size_t offset = 0;              // of the line's first byte in its program
};

struct Completion {
  size_t start = 0;  // the column where the word being typed begins
  std::vector<std::string> words;
};

class ProgramModel {
 public:
  ProgramModel();
  // An opened file, whose lines are assembled already.
  explicit ProgramModel(document::OpenedProgram opened);

  // Replaces `count` lines from `first` on with the lines of `text`, split
  // at LF (an empty text is one empty line). Only those lines are read.
  // Throws std::out_of_range past the last line.
  void Replace(size_t first, size_t count, std::string_view text);

  size_t lineCount() const { return lines_.size(); }
  // A line in display codes; the whole text in UTF-8.
  const std::string& Codes(size_t line) const { return lines_[line]; }
  std::string Text() const;

  const encoder::Assembly& assembly() const { return assembly_; }
  const labels::Analysis& analysis() const { return analysis_; }
  const needs::Needs& needs() const { return needs_; }

  // The calculators the program is written for, which its diagnostics
  // answer to; today's until told otherwise.
  needs::Target target() const { return target_; }
  void SetTarget(needs::Target target) { target_ = target; }

  // Errors, warnings and notes, in line order; those of one line.
  std::vector<Diagnostic> Diagnostics() const;
  std::vector<Diagnostic> DiagnosticsOn(size_t line) const;
  // The lines that do not convert; an instruction the target lacks converts.
  size_t errorCount() const;

  // "{ 51-Byte Prgm }" for the program of the line, or the whole text's
  // size when the line is in none; "1046 bytes in 3 programs" for the text.
  std::string SizeOf(size_t line) const;
  std::string TotalSize() const;

  // The program as the calculator lists it: the listing of its bytes, so
  // every line is spelled as the calculator spells it. Comments and blank
  // lines have no place in it.
  std::string Listing() const;

  std::vector<OutlineProgram> Outline() const;
  Place PlaceOf(size_t line) const;
  std::string ProgramName(size_t program) const;

  // At a caret: the words that may complete the one before it, the help of
  // its line, the label it defines or reaches, and the lines that reach
  // that label (the definition's line first, then the jumps).
  Completion CompletionsAt(size_t line, size_t column) const;
  std::optional<std::string> HelpAt(size_t line) const;
  std::optional<size_t> DefinitionAt(size_t line) const;
  std::vector<size_t> UsesAt(size_t line) const;
  // The label the line defines or reaches, as a line writes it.
  std::optional<std::string> LabelNameAt(size_t line) const;
  // Renaming that label to `name` (UTF-8, as a line writes it), or why not.
  RenameResult RenameAt(size_t line, std::string_view name) const;

 private:
  // Few lines have a reading, so they are kept apart, in line order.
  struct Reading : LineReading {
    size_t line = 0;
  };
  const Reading* ReadingOf(size_t line) const;
  static bool BeforeLine(const Reading& reading, size_t line);

  void Analyse();

  std::vector<std::string> lines_;  // display codes
  std::vector<Reading> readings_;
  encoder::Assembly assembly_;
  labels::Analysis analysis_;
  needs::Needs needs_;
  needs::Target target_ = needs::Target::kToday;
};

}  // namespace orrikey::editing
