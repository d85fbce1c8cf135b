#pragma once

// A whole program text, assembled: every line with the line of the source it
// came from, the total size, and the programs it holds, each ending at its
// END. Editing replaces a run of lines and keeps the totals without going
// over the whole text again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/Encoder.h"

namespace orrikey::encoder {

// One program of the text: its lines [first, end) up to and with its END
// (the last program may lack one, and lines after the last END that hold no
// instruction are no program), and its size as the calculator counts it in
// "{ n-Byte Prgm }": its bytes without the END and the NULLs it drops.
struct ProgramSpan {
  size_t first = 0;
  size_t end = 0;
  size_t size = 0;
};

class Assembly {
 public:
  struct Line {
    size_t sourceLine;  // counting from 1
    AssembledLine assembled;
  };

  const std::vector<Line>& lines() const { return lines_; }
  // The bytes of every line that converts.
  size_t size() const { return size_; }
  size_t failureCount() const { return failures_; }

  // Replaces `count` lines from `first` on. The source lines of the lines
  // after them move by the difference, as an edit moves the lines below it.
  void Replace(size_t first, size_t count, std::vector<Line> lines);
  void Append(Line line);
  void Reserve(size_t lines) { lines_.reserve(lines); }

  // The indices of the lines that do not convert.
  std::vector<size_t> FailedLines() const;
  // Every line's bytes, in order: the raw program.
  std::vector<std::uint8_t> Bytes() const;
  std::vector<ProgramSpan> Programs() const;
  // Where a line stands in its program: the calculator's step number, 1 for
  // the first instruction after the previous END and 0 for a line that
  // writes no bytes, and the offset of its first byte.
  struct Place {
    size_t step = 0;
    size_t offset = 0;
  };
  Place PlaceOf(size_t line) const;
  // The places of `count` lines from `first` on (fewer past the last line),
  // in one pass: what a view of consecutive lines asks.
  std::vector<Place> PlacesOf(size_t first, size_t count) const;

 private:
  void Add(const Line& line);
  void Remove(const Line& line);

  std::vector<Line> lines_;
  size_t size_ = 0;
  size_t failures_ = 0;
};

// The size of the programs as the calculator shows it: "{ 51-Byte Prgm }"
// for one, "1046 bytes in 3 programs" for several, empty for none.
std::string SizeText(const std::vector<ProgramSpan>& programs);

// Assembles program lines numbered from 1.
Assembly Assemble(const std::vector<std::string>& lines);

// The message of a failed line: "Line: 3 ------ err par", then ": " and the
// reason where one is given.
std::string FailureMessage(size_t sourceLine, EncodeError error, std::string_view reason = {});
// The same for a line of program text, with its own reason.
std::string FailureMessage(size_t sourceLine, const AssembledLine& line);

}  // namespace orrikey::encoder
