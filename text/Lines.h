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

// The lines of the text, or one more when it ends in a break, to size once
// what is read from it. Files break every line alike, with LF or CR LF, or
// with CR alone, so only the one kind of break is counted.
inline size_t ExpectedLines(std::string_view text) {
  const auto count = [text](char c) { return static_cast<size_t>(std::count(text.begin(), text.end(), c)); };
  const size_t feeds = count('\n');
  return (feeds > 0 ? feeds : count('\r')) + 1;
}

}  // namespace orrikey::text
