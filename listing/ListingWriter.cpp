#include "listing/ListingWriter.h"

#include "listing/TextEscapes.h"
#include "text/CodePage.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace orrikey::listing {
namespace {

constexpr std::string_view kEnd = "END";

// Program text spells the multiplication sign of these names as "x".
constexpr std::array<std::string_view, 4> kTimesNames = {"x", "STOx", "RCLx", "BASEx"};

bool IsTimesName(std::string_view name) {
  return name.ends_with('x') &&
         std::find(kTimesNames.begin(), kTimesNames.end(), name) != kTimesNames.end();
}

// Most lines are an ASCII name and operand, written in the listing as they
// stand: no text, no arrow, no glyph.
bool StandsForItself(std::string_view line) {
  static const std::array<bool, 256> plain = [] {
    std::array<bool, 256> codes{};
    for (unsigned code = 0; code < 256; ++code) {
      const char c = static_cast<char>(code);
      codes[code] = c != '"' && c != '^' && text::DisplayCodeUtf8(c) == std::string_view(&c, 1);
    }
    return codes;
  }();
  for (unsigned char c : line)
    if (!plain[c]) return false;
  return !IsTimesName(line.substr(0, line.find(' ')));
}

void AppendName(std::string& out, std::string_view name) {
  const bool times = IsTimesName(name);
  if (times) name.remove_suffix(1);
  for (size_t start = 0;;) {
    const size_t arrow = name.find('^', start);
    text::AppendDisplayCodesUtf8(out, name.substr(start, arrow - start));
    if (arrow == std::string_view::npos) break;
    out += "↑";
    start = arrow + 1;
  }
  if (times) out += "×";
}

}  // namespace

std::string ListingInstruction(std::string_view line) {
  std::string out;
  AppendListingInstruction(out, line);
  return out;
}

void AppendListingInstruction(std::string& out, std::string_view line) {
  if (StandsForItself(line)) {
    out.append(line);
    return;
  }
  const size_t quote = line.find('"');
  std::string_view words = line.substr(0, quote);
  if (words.starts_with('\x9F') && words.size() == 2 && words[1] == ' ') words = words.substr(0, 1);
  const size_t nameEnd = std::min(words.find(' '), words.size());
  AppendName(out, words.substr(0, nameEnd));
  text::AppendDisplayCodesUtf8(out, words.substr(nameEnd));
  if (quote == std::string_view::npos) return;

  const size_t close = line.rfind('"');
  out += '"';
  const std::string_view text = close > quote ? line.substr(quote + 1, close - quote - 1) : "";
  for (size_t i = 0; i < text.size(); ++i) {
    // A "[" that would read back as the start of an escape is escaped itself.
    const std::string_view rest = text.substr(i);
    if (text[i] == '[' && (rest.starts_with("[LF]") || rest.starts_with("[ESC]")))
      out += "€5b";
    else
      listing::AppendListingChar(out, text::CalculatorCode(static_cast<unsigned char>(text[i])));
  }
  out += '"';
  text::AppendDisplayCodesUtf8(out, line.substr(close + 1));
}

namespace {

void AppendProgram(std::string& out, std::span<const ListedLine> body) {
  size_t bytes = 0;
  for (const ListedLine& line : body) bytes += line.size;
  out += "00 { " + std::to_string(bytes) + "-Byte Prgm }\n";
  size_t number = 1;
  auto appendLine = [&](std::string_view line) {
    const std::string digits = std::to_string(number++);
    out += digits.size() < 2 ? "0" + digits : digits;
    out += line.starts_with("LBL ") ? "▸" : " ";
    AppendListingInstruction(out, line);
    out += '\n';
  };
  for (const ListedLine& line : body) appendLine(line.text);
  appendLine(kEnd);
}

}  // namespace

std::string WriteListing(std::span<const ListedLine> lines) {
  std::string out;
  size_t first = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].endsProgram) continue;
    AppendProgram(out, lines.subspan(first, i - first));
    first = i + 1;
  }
  if (first < lines.size()) AppendProgram(out, lines.subspan(first));
  return out;
}

}  // namespace orrikey::listing
