#pragma once

// UTF-8 as listings are shared, read strictly: a text that is not valid
// UTF-8 is not guessed at, so that the caller can read it another way.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orrikey::text {

// Whether the text is valid UTF-8 (no overlong forms, surrogates or code
// points above U+10FFFF).
bool IsUtf8(std::string_view bytes);

// The character at the start of `bytes` and the count of its bytes; nothing
// when they do not start with a valid one.
struct Utf8Char {
  char32_t c;
  size_t length;
};
inline std::optional<Utf8Char> ReadUtf8Char(std::string_view bytes) {
  const unsigned char lead = bytes[0];
  int more = 0;
  char32_t c = lead;
  char32_t smallest = 0;
  if (lead < 0x80) {
    more = 0;
  } else if ((lead & 0xE0) == 0xC0) {
    more = 1, c = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    more = 2, c = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    more = 3, c = lead & 0x07, smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (bytes.size() <= static_cast<size_t>(more)) return std::nullopt;
  for (int k = 1; k <= more; ++k) {
    const unsigned char next = bytes[k];
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return Utf8Char{c, static_cast<size_t>(1 + more)};
}

// Hands each character to `take` while it returns true; false at the first
// byte that is not valid UTF-8 or when `take` refuses a character.
template <typename Take>
inline bool ReadUtf8(std::string_view bytes, Take take) {
  for (size_t i = 0; i < bytes.size();) {
    const auto read = ReadUtf8Char(bytes.substr(i));
    if (!read || !take(read->c)) return false;
    i += read->length;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t c);

// "✓ (U+2713)", to name a character in a message.
std::string NameCharacter(char32_t c);

}  // namespace orrikey::text
