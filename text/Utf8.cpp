#include "text/Utf8.h"

#include <cstdio>

namespace orrikey::text {

namespace {

// Hands each character to `take`; false at the first byte that is not valid
// UTF-8.
template <typename Take>
bool ReadUtf8(std::string_view bytes, Take take) {
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char lead = bytes[i];
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
      return false;
    }
    if (bytes.size() - i <= static_cast<size_t>(more)) return false;
    for (int k = 1; k <= more; ++k) {
      const unsigned char next = bytes[i + k];
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    take(c);
    i += 1 + more;
  }
  return true;
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  if (!ReadUtf8(bytes, [&text](char32_t c) { text += c; })) return std::nullopt;
  return text;
}

bool IsUtf8(std::string_view bytes) {
  return ReadUtf8(bytes, [](char32_t) {});
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  const int more = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  static constexpr unsigned char kLeads[] = {0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(kLeads[more] | (c >> (6 * more)));
  for (int k = more - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

std::string NameCharacter(char32_t c) {
  std::string name;
  AppendUtf8(name, c);
  char code[16];
  std::snprintf(code, sizeof code, " (U+%04X)", static_cast<unsigned>(c));
  return name + code;
}

}  // namespace orrikey::text
