#include "files/ProgramText.h"

#include <algorithm>

#include "files/FileIO.h"
#include "text/Lines.h"

namespace orrikey::files {
namespace {

// The number of the line, counted from 1 as SplitLines splits, that holds the byte.
size_t LineNumberAt(std::string_view bytes, size_t at) {
  const std::string before = NormaliseProgramText(bytes.substr(0, at));
  return static_cast<size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
}

}  // namespace

std::string NormaliseProgramText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 16);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r') {
      text += "\r\n";
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      text += "\r\n";
    } else {
      text += c;
    }
  }
  return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  text::ForEachLine(text, [&lines](size_t, std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// A NUL byte is refused rather than cut off with the text after it: the panes
// cannot hold one, and a text file has none.
void RefuseNulByte(const std::string& path, std::string_view bytes) {
  if (const size_t nul = bytes.find('\0'); nul != std::string::npos)
    throw CannotOpen(path, "Line " + std::to_string(LineNumberAt(bytes, nul)) +
                               " holds a NUL byte, which program text cannot hold");
}

}  // namespace orrikey::files
