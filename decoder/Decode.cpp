#include "decoder/Decode.h"

#include "decoder/Decoder.h"

namespace orrikey::decoder {

bool LineReader::Next(Line& line, std::string& text) {
  if (pos_ >= bytes_.size() || stop_) return false;
  const size_t textStart = text.size();
  line.fixedOp = nullptr;
  line.modOp = nullptr;
  Decoder decoder(bytes_, pos_, text);
  if (!decoder.Read(line)) {
    text.resize(textStart);
    stop_ = Stop{pos_, lineCount_ + 1};
    return false;
  }
  line.offset = static_cast<std::uint32_t>(pos_);
  line.size = static_cast<std::uint32_t>(decoder.pos() - pos_);
  line.textOffset = static_cast<std::uint32_t>(textStart);
  line.textSize = static_cast<std::uint32_t>(text.size() - textStart);
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
  for (Line line; reader.Next(line, decoded.text);) decoded.lines.push_back(line);
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
