#pragma once

// The character classes the readers of program text and listings share.

#include <cstddef>
#include <string_view>

namespace orrikey::text {

// A blank as "\s" matches it in the C locale: blank, tab and the line-break
// bytes up to CR.
inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

inline size_t SkipBlanks(std::string_view line, size_t at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  return at;
}

inline size_t SkipDigits(std::string_view line, size_t at) {
  while (at < line.size() && IsDigit(line[at])) ++at;
  return at;
}

}  // namespace orrikey::text
