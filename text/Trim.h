#pragma once

#include <string_view>

namespace orrikey::text {

// Removes every leading and trailing byte of code 0x20 or below: blanks, tabs
// and the line-break bytes of any convention.
inline std::string_view Trim(std::string_view text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace orrikey::text
