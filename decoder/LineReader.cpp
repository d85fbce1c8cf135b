#include "decoder/LineReader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "decoder/Decoder.h"

namespace orrikey::decoder {

namespace {

// Bytes this long or more hold enough lines to repeat some. A slot for
// every 64 bytes keeps most of the different lines a program has.
constexpr size_t kWorthRemembering = 4096;
constexpr unsigned kBytesPerSlot = 64;
constexpr unsigned kMostSlotBits = 13;

}  // namespace

LineReader::LineReader(std::span<const std::uint8_t> bytes, std::optional<TextWriter> writer)
    : index_(Index::Get()),
      sizes_(index_.Sizes()),
      writer_(writer),
      bytes_(bytes),
      longestLine_(index_.LongestLine()) {
  if (bytes.size() < kWorthRemembering) return;
  slotBits_ = std::min<unsigned>(std::bit_width(bytes.size() / kBytesPerSlot), kMostSlotBits);
  recent_.resize(size_t{1} << slotBits_);
}

size_t LineReader::NumberRoom() const {
  size_t digits = 0;
  while (pos_ + digits < bytes_.size() && IsNumberByte(bytes_[pos_ + digits])) ++digits;
  return std::max(longestLine_, digits);
}

size_t LineReader::NumberSize(const std::uint8_t* at, size_t left) {
  size_t digits = 0;
  while (digits < left && IsNumberByte(at[digits])) ++digits;
  return digits + (digits < left && at[digits] == 0x00);
}

bool LineReader::Decode(Line& line, char* room) {
  line.fixedOp = nullptr;
  line.modOp = nullptr;
  if (const size_t codeRoom = CodeRoom(); writer_ && codes_.size() < codeRoom) codes_.resize(codeRoom);
  LineText out(writer_ ? codes_.data() : room);
  Decoder decoder(index_, bytes_, pos_, out);
  if (!decoder.Read(line)) return false;
  line.size = static_cast<std::uint32_t>(decoder.pos() - pos_);
  const char* end =
      writer_ ? writer_->write(room, std::string_view(codes_.data(), out.size())) : room + out.size();
  line.textSize = static_cast<std::uint32_t>(end - room);
  return true;
}

bool LineReader::ReadAndKeep(Line& line, char* room, RecentLine* slot, Key key) {
  if (!Decode(line, room)) {
    stop_ = Stop{pos_, lineCount_ + 1};
    return false;
  }
  // A size told wrong keeps nothing: such bytes stop the decode or read
  // as a line of another size.
  if (slot && line.size == key.size() && line.textSize <= slot->text.size()) {
    *slot = {key, line.fixedOp, line.modOp, {}, static_cast<std::uint8_t>(line.textSize)};
    std::memcpy(slot->text.data(), room, line.textSize);
  }
  line.offset = static_cast<std::uint32_t>(pos_);
  line.textOffset = 0;
  pos_ += line.size;
  ++lineCount_;
  return true;
}

char* LineReader::CopyKeptLines(char* at, const char* end, std::string_view lineBreak) {
  if (recent_.empty() || stop_) return at;
  // In locals, so that writing the text does not make them read again.
  const std::array<SizeRule, 256>& sizes = sizes_;
  const std::uint8_t* const bytes = bytes_.data();
  const size_t count = bytes_.size();
  RecentLine* const slots = recent_.data();
  const unsigned slotBits = slotBits_;
  const auto room = static_cast<std::ptrdiff_t>(lineBreak.size() + sizeof(RecentLine::text));
  size_t pos = pos_;
  size_t lines = 0;
  Key key;
  while (pos < count && end - at >= room && KeyOf(sizes, bytes + pos, count - pos, key)) {
    const RecentLine& kept = *SlotOf(slots, slotBits, key);
    if (kept.key != key) break;
    for (const char c : lineBreak) *at++ = c;
    std::memcpy(at, kept.text.data(), kept.text.size());
    at += kept.textSize;
    pos += key.size();
    ++lines;
  }
  pos_ = pos;
  lineCount_ += lines;
  return at;
}

bool LineReader::Next(Line& line) {
  const size_t room = Room();
  if (room_.size() < room) room_.resize(room);
  const bool read = Next(line, room_.data());
  textSize_ = read ? line.textSize : 0;
  return read;
}

}  // namespace orrikey::decoder
