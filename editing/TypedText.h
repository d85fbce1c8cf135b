#pragma once

// Text as a person types it, UTF-8, to display codes: each character to the
// display code it shows or stands for. Characters of no code are left out;
// the first of them, and its column, is kept to say why the text fails.

#include <cstddef>
#include <string>
#include <string_view>

namespace orrikey::editing {

struct TypedText {
  std::string codes;
  char32_t refused = 0;
  size_t refusedColumn = 0;
};

TypedText ReadTypedText(std::string_view utf8);

}  // namespace orrikey::editing
