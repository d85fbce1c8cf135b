#pragma once

#include <string_view>

namespace orrikey::text {

// Removes the blanks, tabs and line-break bytes at both ends. Other control
// bytes stay, so that a line holding one fails rather than reading as
// another line.
inline std::string_view Trim(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace orrikey::text
