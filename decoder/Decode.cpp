#include "decoder/Decode.h"

#include <algorithm>
#include <cstring>

#include "decoder/Decoder.h"

namespace orrikey::decoder {

namespace {

// Bytes this long or more hold enough lines to repeat some.
constexpr size_t kWorthRemembering = 4096;
constexpr unsigned kSlotBits = 12;
// A key holds the bytes below its top byte, their count in it.
constexpr size_t kLongestKept = 7;

}  // namespace

LineReader::LineReader(std::span<const std::uint8_t> bytes, TextWriter writer)
    : index_(Index::Get()), writer_(writer), bytes_(bytes), longestLine_(index_.LongestLine()) {
  if (bytes.size() >= kWorthRemembering) recent_.resize(size_t{1} << kSlotBits);
}

size_t LineReader::NumberRoom() const {
  size_t digits = 0;
  while (pos_ + digits < bytes_.size() && IsNumberByte(bytes_[pos_ + digits])) ++digits;
  return std::max(longestLine_, digits);
}

size_t LineReader::SizeAhead() const {
  const size_t size = index_.First(bytes_[pos_]).size;
  if (size != 0 || !IsNumberByte(bytes_[pos_])) return size;
  size_t end = pos_;
  while (end < bytes_.size() && IsNumberByte(bytes_[end])) ++end;
  return end - pos_ + (end < bytes_.size() && bytes_[end] == 0x00);
}

LineReader::RecentLine* LineReader::SlotFor(Key& key) {
  if (recent_.empty()) return nullptr;
  const size_t size = SizeAhead();
  if (size == 0 || size > kLongestKept || size > bytes_.size() - pos_) return nullptr;
  // A word read whole where the bytes run on past it, the bytes after the
  // line masked off.
  const std::uint8_t* at = bytes_.data() + pos_;
  if (bytes_.size() - pos_ >= sizeof key) {
    std::memcpy(&key, at, sizeof key);
    key &= (Key{1} << (8 * size)) - 1;
  } else {
    std::memcpy(&key, at, size);
  }
  key |= Key{size} << 56;
  return &recent_[(key * 0x9E3779B97F4A7C15u) >> (64 - kSlotBits)];
}

bool LineReader::Decode(Line& line, char* room) {
  line.fixedOp = nullptr;
  line.modOp = nullptr;
  if (writer_ && codes_.size() < Room()) codes_.resize(Room());
  LineText out(writer_ ? codes_.data() : room);
  Decoder decoder(index_, bytes_, pos_, out);
  if (!decoder.Read(line)) return false;
  line.size = static_cast<std::uint32_t>(decoder.pos() - pos_);
  const char* end = writer_ ? writer_(room, std::string_view(codes_.data(), out.size())) : room + out.size();
  line.textSize = static_cast<std::uint32_t>(end - room);
  return true;
}

// Room holds more than a kept text, so that the text is copied whole.
bool LineReader::Next(Line& line, char* room) {
  if (pos_ >= bytes_.size() || stop_) return false;
  Key key = 0;
  RecentLine* slot = SlotFor(key);
  if (slot && slot->key == key) {
    std::memcpy(room, slot->text.data(), slot->text.size());
    line.fixedOp = slot->fixedOp;
    line.modOp = slot->modOp;
    line.size = static_cast<std::uint32_t>(key >> 56);
    line.textSize = slot->textSize;
  } else if (!Decode(line, room)) {
    stop_ = Stop{pos_, lineCount_ + 1};
    return false;
  } else if (slot && line.textSize <= slot->text.size()) {
    *slot = {key, line.fixedOp, line.modOp, {}, static_cast<std::uint8_t>(line.textSize)};
    std::memcpy(slot->text.data(), room, line.textSize);
  }
  line.offset = static_cast<std::uint32_t>(pos_);
  line.textOffset = 0;
  pos_ += line.size;
  ++lineCount_;
  return true;
}

bool LineReader::Next(Line& line) {
  const size_t room = Room();
  if (room_.size() < room) room_.resize(room);
  const bool read = Next(line, room_.data());
  textSize_ = read ? line.textSize : 0;
  return read;
}

Decoded Decode(std::span<const std::uint8_t> bytes) {
  Decoded decoded;
  // Real programs average about three bytes and six characters a line.
  decoded.lines.reserve(bytes.size() / 3 + 1);
  decoded.text.reserve(bytes.size() * 2);
  // Each line is written in place, into room made before it.
  std::string& text = decoded.text;
  size_t used = 0;
  LineReader reader(bytes);
  for (Line line;;) {
    const size_t room = reader.Room();
    if (text.size() < used + room) text.resize(std::max(2 * text.size(), used + room));
    if (!reader.Next(line, text.data() + used)) break;
    line.textOffset = static_cast<std::uint32_t>(used);
    used += line.textSize;
    decoded.lines.push_back(line);
  }
  text.resize(used);
  decoded.stop = reader.stop();
  return decoded;
}

std::vector<std::string> ProgramText(const Decoded& decoded) {
  std::vector<std::string> lines;
  lines.reserve(decoded.lines.size() + 1);
  for (const Line& line : decoded.lines) lines.emplace_back(decoded.TextOf(line));
  if (decoded.stop) lines.emplace_back(kErrorLine);
  return lines;
}

std::string StopMessage(const std::optional<Stop>& stop) {
  if (!stop) return {};
  return std::string(kErrorLine) + " - Around Line: " + std::to_string(stop->line);
}

}  // namespace orrikey::decoder
