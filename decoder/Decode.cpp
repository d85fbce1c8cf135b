#include "decoder/Decode.h"

#include <algorithm>

#include "decoder/Decoder.h"

namespace orrikey::decoder {

LineReader::LineReader(std::span<const std::uint8_t> bytes)
    : index_(Index::Get()), bytes_(bytes), longestLine_(index_.LongestLine()) {}

size_t LineReader::NumberRoom() const {
  size_t digits = 0;
  while (pos_ + digits < bytes_.size() && IsNumberByte(bytes_[pos_ + digits])) ++digits;
  return std::max(longestLine_, digits);
}

bool LineReader::Next(Line& line, char* room) {
  if (pos_ >= bytes_.size() || stop_) return false;
  line.fixedOp = nullptr;
  line.modOp = nullptr;
  LineText out(room);
  Decoder decoder(index_, bytes_, pos_, out);
  if (!decoder.Read(line)) {
    stop_ = Stop{pos_, lineCount_ + 1};
    return false;
  }
  line.offset = static_cast<std::uint32_t>(pos_);
  line.size = static_cast<std::uint32_t>(decoder.pos() - pos_);
  line.textOffset = 0;
  line.textSize = static_cast<std::uint32_t>(out.size());
  pos_ = decoder.pos();
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
