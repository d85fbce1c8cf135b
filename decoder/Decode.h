#pragma once

// Calculator bytes back to program text, read the way the calculator reads
// them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/Tables.h"

namespace orrikey::decoder {

// One instruction. Its text, in display codes, lies in the buffer it was
// decoded into, so that a large program costs no allocation per line; the
// input files are capped far below 4 GiB.
struct Line {
  std::uint32_t offset = 0;  // of its first byte
  std::uint32_t size = 0;    // its byte count
  std::uint32_t textOffset = 0;
  std::uint32_t textSize = 0;
  // The table row it was read as; both null for numbers, texts and XROM lines.
  const tables::FixedOp* fixedOp = nullptr;
  const tables::ModOp* modOp = nullptr;

  bool endsProgram() const { return fixedOp && fixedOp->endsProgram; }
  bool dropped() const { return fixedOp && fixedOp->dropped; }
};

// Where decoding stopped: at bytes that end in the middle of an instruction,
// or form one that no program text can name.
struct Stop {
  std::size_t offset;  // the first byte not decoded
  std::size_t line;    // the program line it would have been, counted from 1
};

struct Decoded {
  std::string text;  // every line's text, one after the other
  std::vector<Line> lines;
  std::optional<Stop> stop;

  std::string_view TextOf(const Line& line) const {
    return std::string_view(text).substr(line.textOffset, line.textSize);
  }
};

Decoded Decode(std::span<const std::uint8_t> bytes);

class Index;

// The digits, the point, the exponent mark and the minus of a number.
constexpr bool IsNumberByte(std::uint8_t byte) { return byte >= 0x10 && byte <= 0x1C; }

// The lines one at a time, for writers that need only the line at hand, so
// that a large program is never held whole.
class LineReader {
 public:
  // Writes a line's text, given in display codes, into room made for it and
  // returns the end of what it wrote.
  using TextWriter = char* (*)(char* room, std::string_view codes);

  explicit LineReader(std::span<const std::uint8_t> bytes, TextWriter writer = nullptr);
  // The next line into `line`, and its text into text(), where the line's
  // text offset counts from; false at the end of the bytes and where
  // decoding stops.
  bool Next(Line& line);
  // The text of the line read last; Next overwrites it.
  std::string_view text() const { return std::string_view(room_).substr(0, textSize_); }
  const std::optional<Stop>& stop() const { return stop_; }

  // For writers that put each line's text straight where it belongs: the
  // room the next line's display codes can take, and the line with its text
  // written there, by the reader's writer where it has one (the room is then
  // what that writer needs for these codes).
  // A number's text has a character for each of its bytes; any other line
  // fits the room the index sets.
  std::size_t Room() const {
    return pos_ < bytes_.size() && IsNumberByte(bytes_[pos_]) ? NumberRoom() : longestLine_;
  }
  bool Next(Line& line, char* room);

 private:
  // A line read before, by its bytes: programs repeat their instructions,
  // and bytes of a known count read alike wherever they stand.
  // Its bytes, their count in the top byte.
  using Key = std::uint64_t;
  struct alignas(64) RecentLine {
    Key key = 0;  // none
    const tables::FixedOp* fixedOp;
    const tables::ModOp* modOp;
    std::array<char, 39> text;
    std::uint8_t textSize;
  };

  std::size_t NumberRoom() const;
  // The size of the line at the position where its first bytes tell it, else 0.
  std::size_t SizeAhead() const;
  // The slot for the line at the position, or null where its size is not
  // known before it is read or it is too long to keep.
  RecentLine* SlotFor(Key& key);
  bool Decode(Line& line, char* room);

  const Index& index_;
  TextWriter writer_;
  std::span<const std::uint8_t> bytes_;
  std::size_t longestLine_;
  std::string room_;  // Next writes the line's text here
  std::string codes_;  // a line's display codes, for the writer
  std::size_t textSize_ = 0;
  std::size_t pos_ = 0;
  std::size_t lineCount_ = 0;
  std::optional<Stop> stop_;
  std::vector<RecentLine> recent_;  // empty for a few lines, not worth keeping
};

// The bytes of a file as the file readers return them, not copied.
inline std::span<const std::uint8_t> AsBytes(std::string_view bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// The line that ends the program text where decoding stopped.
inline constexpr std::string_view kErrorLine = "Error in Hex Code";

// The program text as the editor shows it: one line per instruction, then
// kErrorLine where decoding stopped.
std::vector<std::string> ProgramText(const Decoded& decoded);

// "Error in Hex Code - Around Line: N" where decoding stopped, else empty.
std::string StopMessage(const std::optional<Stop>& stop);

}  // namespace orrikey::decoder
