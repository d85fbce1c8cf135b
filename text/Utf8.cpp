#include "text/Utf8.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace orrikey::text {

// Program files are nearly all ASCII, and no character of several bytes
// holds an ASCII byte: the ASCII runs are skipped eight bytes at a time and
// only the runs between them decoded.
bool IsUtf8(std::string_view bytes) {
  const auto isAscii = [&](size_t at) { return static_cast<unsigned char>(bytes[at]) < 0x80; };
  for (size_t at = 0; at < bytes.size();) {
    for (std::uint64_t word; at + 8 <= bytes.size(); at += 8) {
      std::memcpy(&word, bytes.data() + at, 8);
      if (word & 0x8080808080808080) break;
    }
    while (at < bytes.size() && isAscii(at)) ++at;
    const size_t run = at;
    while (at < bytes.size() && !isAscii(at)) ++at;
    if (!ReadUtf8(bytes.substr(run, at - run), [](char32_t) { return true; })) return false;
  }
  return true;
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
