#include "decoder/Decode.h"

#include <algorithm>

#include "decoder/LineReader.h"
#include "text/CalculatorNames.h"

namespace orrikey::decoder {

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
  for (const Line& line : decoded.lines) text::UseCalculatorName(lines.emplace_back(decoded.TextOf(line)));
  if (decoded.stop) lines.emplace_back(kErrorLine);
  return lines;
}

std::string StopMessage(const std::optional<Stop>& stop) {
  if (!stop) return {};
  return std::string(kErrorLine) + " - Around Line: " + std::to_string(stop->line);
}

}  // namespace orrikey::decoder
