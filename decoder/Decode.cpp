#include "decoder/Decode.h"

#include "decoder/Decoder.h"

namespace orrikey::decoder {

LineReader::LineReader(std::span<const std::uint8_t> bytes)
    : index_(Index::Get()), bytes_(bytes), room_(index_.LongestLine(), '\0') {}

// A number's text has a character for each of its bytes; any other line
// fits the room the index sets.
char* LineReader::NumberRoom() {
  size_t digits = 0;
  while (pos_ + digits < bytes_.size() && bytes_[pos_ + digits] >= 0x10 && bytes_[pos_ + digits] <= 0x1C)
    ++digits;
  if (room_.size() < digits) room_.resize(digits);
  return room_.data();
}

bool LineReader::Next(Line& line) {
  if (pos_ >= bytes_.size() || stop_) return false;
  line.fixedOp = nullptr;
  line.modOp = nullptr;
  const bool number = bytes_[pos_] >= 0x10 && bytes_[pos_] <= 0x1C;
  LineText out(number ? NumberRoom() : room_.data());
  Decoder decoder(index_, bytes_, pos_, out);
  if (!decoder.Read(line)) {
    textSize_ = 0;
    stop_ = Stop{pos_, lineCount_ + 1};
    return false;
  }
  line.offset = static_cast<std::uint32_t>(pos_);
  line.size = static_cast<std::uint32_t>(decoder.pos() - pos_);
  line.textOffset = 0;
  line.textSize = static_cast<std::uint32_t>(out.size());
  textSize_ = out.size();
  pos_ = decoder.pos();
  ++lineCount_;
  return true;
}

Decoded Decode(std::span<const std::uint8_t> bytes) {
  Decoded decoded;
  // Real programs average about three bytes and six characters a line.
  decoded.lines.reserve(bytes.size() / 3 + 1);
  decoded.text.reserve(bytes.size() * 2);
  LineReader reader(bytes);
  for (Line line; reader.Next(line);) {
    line.textOffset = static_cast<std::uint32_t>(decoded.text.size());
    decoded.text.append(reader.text());
    decoded.lines.push_back(line);
  }
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
