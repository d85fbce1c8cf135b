#pragma once

// A document the client has open: its lines as the client holds them, and
// the editing model that reads them. Program text gives the model a line
// per line of the document; a listing gives it the program lines the
// listing holds, each where the listing shows it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/ProgramModel.h"
#include "lsp/Positions.h"
#include "lsp/Protocol.h"
#include "lsp/Range.h"

namespace orrikey::lsp {

// A line and column of the model.
struct ModelPlace {
  size_t line = 0;
  size_t column = 0;
};

// A listing line that holds no program line the calculator can have.
struct RefusedLine {
  size_t line = 0;
  std::string reason;
};

class Document {
 public:
  // Reads the text as the editor reads a file of that content, its
  // diagnostics answering to the target. Throws RequestError for a text
  // larger than a program file may be.
  Document(std::string path, std::string_view text, Encoding encoding, needs::Target target);

  // Replaces the text between two client positions (Position objects);
  // positions past the end are taken as the end.
  void Change(const Json& start, const Json& end, std::string_view text);
  void ChangeAll(std::string_view text);

  const editing::ProgramModel& model() const { return model_; }
  const std::vector<RefusedLine>& refused() const { return refused_; }
  size_t lineCount() const { return lines_.size(); }

  // The model's place at a client position; nothing on a listing's line
  // that holds no program line.
  std::optional<ModelPlace> ModelAt(const Json& position) const;
  // The client's range of model columns [begin, end) of a model line.
  Range RangeOf(size_t modelLine, size_t begin, size_t end) const;
  // The client's range of the whole text a model line shows.
  Range RangeOfLine(size_t modelLine) const;
  // The client's range of a line of the document.
  Range RangeOfDocumentLine(size_t line) const;

 private:
  // Where a model line shows in a listing: bytes [offset, offset + size)
  // of the document's line. A line the reader respelled ("X<=Y?" for
  // "X≤Y?") has no column of the model's in it, so every range of it is
  // the whole of its instruction.
  struct Shown {
    size_t line = 0;
    size_t offset = 0;
    size_t size = 0;
    bool respelled = false;
  };

  void Read(std::string_view text);
  // Each text read anew has a model of its own, which keeps the target.
  void Adopt(editing::ProgramModel model);
  void ReadListing(document::OpenedProgram opened);
  Shown ShownOf(size_t modelLine) const;
  Position PositionAt(size_t line, size_t byte) const;
  // The document's line and byte at a client position, clamped to the text.
  std::pair<size_t, size_t> Clamped(const Json& position) const;

  std::string path_;
  Encoding encoding_;
  needs::Target target_;
  std::vector<std::string> lines_;  // UTF-8, without line breaks
  editing::ProgramModel model_;
  bool listing_ = false;
  std::vector<Shown> shown_;          // a listing's, by model line
  std::vector<size_t> modelLineOf_;   // a listing's, by document line; npos for none
  std::vector<RefusedLine> refused_;  // a listing's
};

}  // namespace orrikey::lsp
