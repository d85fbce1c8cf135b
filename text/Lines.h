#pragma once

// The lines of a text as its readers see them: split at CR LF, lone CR and
// lone LF; a final line break ends the last line and starts no new one, and
// an empty text has no lines.

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace orrikey::text {

// Hands each line to `take` with its number, counting from 1. The line is a
// view into the text, so reading a file's lines copies none of them.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
  const auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
  for (size_t number = 1; !text.empty(); ++number) {
    const size_t end = static_cast<size_t>(std::find_if(text.begin(), text.end(), isBreak) - text.begin());
    take(number, text.substr(0, end));
    if (end == text.size()) break;
    const size_t breakSize = text.substr(end).starts_with("\r\n") ? 2 : 1;
    text.remove_prefix(end + breakSize);
  }
}

// The line breaks and one: the lines of the text, or one more when it ends
// in a break, to size once what is read from them.
inline size_t MostLines(std::string_view text) {
  size_t lines = 1;
  for (size_t i = 0; i < text.size(); ++i)
    lines += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
  return lines;
}

}  // namespace orrikey::text
