#pragma once

// The lines of a program one at a time. Programs repeat their
// instructions: a line whose bytes were read before is copied, not read
// again.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Decode.h"
#include "decoder/Index.h"

namespace orrikey::decoder {

// The lines one at a time, for writers that need only the line at hand, so
// that a large program is never held whole.
class LineReader {
 public:
  // Writes each line's text, given in display codes, in another spelling.
  struct TextWriter {
    // Writes into room made for it; returns the end of what it wrote.
    char* (*write)(char* room, std::string_view codes);
    // The room that writing so many codes takes.
    std::size_t (*room)(std::size_t codes);
  };

  explicit LineReader(std::span<const std::uint8_t> bytes, std::optional<TextWriter> writer = {});
  // The next line into `line`, and its text into text(), where the line's
  // text offset counts from; false at the end of the bytes and where
  // decoding stops.
  bool Next(Line& line);
  // The text of the line read last; Next overwrites it.
  std::string_view text() const { return std::string_view(room_).substr(0, textSize_); }
  const std::optional<Stop>& stop() const { return stop_; }

  // For writers that put each line's text straight where it belongs: the
  // room the next line's text can take, and the line with its text written
  // there, through the reader's writer where it has one.
  std::size_t Room() const { return writer_ ? writer_->room(CodeRoom()) : CodeRoom(); }
  // Inline, so that a writer's loop keeps the reader in registers and a
  // line read before costs no call. The room holds more than a kept text,
  // so that the text is copied whole.
  bool Next(Line& line, char* room) {
    if (pos_ >= bytes_.size() || stop_) return false;
    Key key;
    RecentLine* slot = !recent_.empty() && KeyOf(sizes_, bytes_.data() + pos_, bytes_.size() - pos_, key)
                           ? SlotOf(recent_.data(), slotBits_, key)
                           : nullptr;
    if (!slot || slot->key != key) return ReadAndKeep(line, room, slot, key);
    std::memcpy(room, slot->text.data(), slot->text.size());
    const auto size = static_cast<std::uint32_t>(key.size());
    line = {static_cast<std::uint32_t>(pos_), size, 0, slot->textSize, slot->fixedOp, slot->modOp};
    pos_ += size;
    ++lineCount_;
    return true;
  }
  // For writers of text alone, which need no line records: the texts of the
  // lines ahead that were read before, each after `lineBreak`, copied from
  // `at` on while the room up to `end` holds one more; returns the end of
  // what it wrote. The first line not kept ends the run, for Next to read.
  char* CopyKeptLines(char* at, const char* end, std::string_view lineBreak);

 private:
  // A line read before, by its bytes: programs repeat their instructions,
  // and bytes of a known count read alike wherever they stand.
  struct Key {
    std::uint64_t low = 0;
    std::uint64_t high = 0;  // the bytes after the first eight, their count in the top byte
    std::size_t size() const { return high >> 56; }
    bool operator==(const Key&) const = default;
  };
  struct alignas(64) RecentLine {
    Key key;  // none
    const tables::FixedOp* fixedOp;
    const tables::ModOp* modOp;
    std::array<char, 31> text;
    std::uint8_t textSize;
  };
  // The longest line a key holds.
  static constexpr std::size_t kLongestKept = 15;

  // The room of the next line's display codes. A number's text has a
  // character for each of its bytes; any other line fits the room the index
  // sets.
  std::size_t CodeRoom() const {
    return pos_ < bytes_.size() && IsNumberByte(bytes_[pos_]) ? NumberRoom() : longestLine_;
  }
  std::size_t NumberRoom() const;
  // Static, so that a loop over many lines keeps what they read in
  // registers: the size of the line at `at`, `left` bytes on from there,
  // where its first bytes tell it before it is read; else 0.
  static std::size_t SizeAhead(const std::array<SizeRule, 256>& sizes, const std::uint8_t* at,
                               std::size_t left) {
    const SizeRule rule = sizes[at[0]];
    if (rule.size == 0) return IsNumberByte(at[0]) ? NumberSize(at, left) : 0;
    if (rule.lengthAt == SizeRule::kNoLength) return rule.size;
    if (rule.lengthAt >= left) return 0;
    const std::uint8_t length = at[rule.lengthAt];
    return rule.size + (length >= 0xF0 ? length - 0xF0 : 0);
  }
  static std::size_t NumberSize(const std::uint8_t* at, std::size_t left);
  // The key of the line at `at`; false where its size is not known before
  // it is read or it is too long to keep.
  static bool KeyOf(const std::array<SizeRule, 256>& sizes, const std::uint8_t* at, std::size_t left,
                    Key& key) {
    const std::size_t size = SizeAhead(sizes, at, left);
    if (size == 0 || size > kLongestKept || size > left) return false;
    // Two words read whole where the bytes run on past them, the bytes
    // after the line masked off.
    const auto below = [](std::size_t n) {
      return n >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * n)) - 1;
    };
    key = {};
    if (left >= sizeof key) {
      std::memcpy(&key, at, sizeof key);
      key.low &= below(size);
      key.high &= size > 8 ? below(size - 8) : 0;
    } else {
      std::memcpy(&key, at, size);
    }
    key.high |= std::uint64_t{size} << 56;
    return true;
  }
  static RecentLine* SlotOf(RecentLine* slots, unsigned slotBits, const Key& key) {
    const std::uint64_t hash = (key.low + key.high * 0xC2B2AE3D27D4EB4Fu) * 0x9E3779B97F4A7C15u;
    return slots + (hash >> (64 - slotBits));
  }
  // A line not kept: read, and kept in the slot where it has one.
  bool ReadAndKeep(Line& line, char* room, RecentLine* slot, Key key);
  bool Decode(Line& line, char* room);

  const Index& index_;
  const std::array<SizeRule, 256>& sizes_;
  std::optional<TextWriter> writer_;
  std::span<const std::uint8_t> bytes_;
  std::size_t longestLine_;
  std::string room_;   // Next writes the line's text here
  std::string codes_;  // a line's display codes, for the writer
  std::size_t textSize_ = 0;
  std::size_t pos_ = 0;
  std::size_t lineCount_ = 0;
  std::optional<Stop> stop_;
  std::vector<RecentLine> recent_;  // empty for a few lines, not worth keeping
  unsigned slotBits_ = 0;           // recent_ has 2^slotBits_ slots
};

}  // namespace orrikey::decoder
