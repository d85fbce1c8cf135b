#include "decoder/Decode.h"

#include "decoder/Decoder.h"

namespace orrikey::decoder {

bool LineReader::Next(Line& line) {
  if (pos_ >= bytes_.size() || stop_) return false;
  line.text.clear();
  line.offset = pos_;
  line.fixedOp = nullptr;
  line.modOp = nullptr;
  Decoder decoder(bytes_, pos_);
  if (!decoder.Read(line)) {
    stop_ = Stop{pos_, lineCount_ + 1};
    return false;
  }
  pos_ = decoder.pos();
  line.size = pos_ - line.offset;
  ++lineCount_;
  return true;
}

Decoded Decode(std::span<const std::uint8_t> bytes) {
  Decoded decoded;
  // Real programs average about three bytes a line.
  decoded.lines.reserve(bytes.size() / 3 + 1);
  LineReader reader(bytes);
  while (true) {
    Line& line = decoded.lines.emplace_back();
    if (!reader.Next(line)) break;
  }
  decoded.lines.pop_back();  // the one that was not read
  decoded.stop = reader.stop();
  return decoded;
}

std::vector<std::string> ProgramText(const Decoded& decoded) {
  std::vector<std::string> lines;
  lines.reserve(decoded.lines.size() + 1);
  for (const Line& line : decoded.lines) lines.push_back(line.text);
  if (decoded.stop) lines.emplace_back(kErrorLine);
  return lines;
}

std::string StopMessage(const std::optional<Stop>& stop) {
  if (!stop) return {};
  return std::string(kErrorLine) + " - Around Line: " + std::to_string(stop->line);
}

}  // namespace orrikey::decoder
