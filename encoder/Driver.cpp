#include "encoder/Encoder.h"
#include "encoder/LineEncoders.h"

namespace orrikey {

// "@" starts a comment only when it stands after the last double quote;
// before it, the "@" may belong to a quoted text and the line keeps it.
std::string CleanLine(std::string_view line) {
  const size_t lastAt = line.rfind('@');
  if (lastAt == std::string_view::npos) return std::string(Trim(line));
  const size_t lastQuote = line.rfind('"');
  if (lastQuote == std::string_view::npos || lastAt > lastQuote)
    return std::string(Trim(line.substr(0, lastAt)));
  return std::string(Trim(line));
}

std::string EncodeLine(std::string_view cleaned) {
  // A line that is only a comment is no instruction: it keeps its place and
  // writes no bytes.
  if (cleaned.empty()) return {};
  for (auto encoder : {GetNumbers, GetStrings, GetFixedOp, GetXrom, GetModOp})
    if (auto hex = encoder(cleaned)) return std::move(*hex);
  if (const auto name = FixedOpOfAlias(cleaned))
    return GetFixedOp(*name).value_or(std::string(kErrOpcode));
  return std::string(kErrOpcode);
}

std::optional<HexConversion> MakeHexCode(const std::vector<std::string>& lines) {
  if (lines.empty()) return std::nullopt;

  HexConversion result;
  for (const std::string& line : lines)
    if (!Trim(line).empty()) result.programLines.push_back(line);

  result.hexLines.reserve(result.programLines.size());
  for (const std::string& line : result.programLines)
    result.hexLines.push_back(EncodeLine(CleanLine(line)));

  size_t byteCount = 0;
  for (size_t i = 0; i < result.hexLines.size(); ++i) {
    const std::string& hex = result.hexLines[i];
    byteCount += hex.size() / 2;
    if (hex.starts_with(kErrorMarker))
      result.infoLines.push_back("Line: " + std::to_string(i + 1) + " " + hex);
  }
  if (result.infoLines.empty())
    result.caption = "{ " + std::to_string(byteCount) + "-Byte Prgm }";
  return result;
}

}  // namespace orrikey
