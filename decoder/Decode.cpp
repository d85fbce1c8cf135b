#include "decoder/Decode.h"

#include "decoder/Decoder.h"

namespace orrikey::decoder {

Decoded Decode(std::span<const std::uint8_t> bytes) { return Decoder(bytes).Run(); }

std::vector<std::string> ProgramText(const Decoded& decoded) {
  std::vector<std::string> lines;
  lines.reserve(decoded.lines.size() + 1);
  for (const Line& line : decoded.lines) lines.push_back(line.text);
  if (decoded.stop) lines.emplace_back(kErrorLine);
  return lines;
}

std::string StopMessage(const Decoded& decoded) {
  if (!decoded.stop) return {};
  return std::string(kErrorLine) + " - Around Line: " + std::to_string(decoded.stop->line);
}

}  // namespace orrikey::decoder
