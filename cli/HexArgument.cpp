#include "cli/HexArgument.h"

#include <algorithm>
#include <cstdio>

#include "text/Hex.h"
#include "text/Utf8.h"

namespace orrikey::cli {
namespace {

std::string HexCode(unsigned value) {
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X", value);
  return code;
}

// The byte at `offset`, which is no hex digit, as a user finds it: the
// whole character and which one it is, or, where the text is not UTF-8,
// the byte and which one. A control character is shown by its code.
std::string NotHexDigit(std::string_view hex, size_t offset) {
  const auto read = text::ReadUtf8Char(hex.substr(offset));
  std::string what;
  std::string where;
  if (!read || !text::IsUtf8(hex)) {
    what = "the byte " + HexCode(static_cast<unsigned char>(hex[offset]));
    where = "byte " + std::to_string(offset + 1);
  } else {
    const auto isLead = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    where = "character " + std::to_string(std::count_if(hex.begin(), hex.begin() + offset, isLead) + 1);
    if (read->c < 0x20 || (read->c >= 0x7F && read->c < 0xA0)) {
      what = "the control character " + HexCode(static_cast<unsigned>(read->c));
    } else {
      std::string character;
      text::AppendUtf8(character, read->c);
      what = '"' + character + '"';
    }
  }
  return "The hex text holds " + what + " at " + where + ", which is not a hex digit";
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ParseHexArgument(std::string_view hex, std::string& problem) {
  text::ParsedHex parsed = text::ParseHex(hex);
  if (!parsed.error.empty()) {
    problem = NotHexDigit(hex, parsed.errorOffset);
    return std::nullopt;
  }
  // A last byte without its pair need not be a digit at all.
  if (parsed.loneDigit && text::HexDigitValue(*parsed.loneDigit) < 0) {
    problem = NotHexDigit(hex, hex.find_last_not_of(" \t\r\n"));
    return std::nullopt;
  }
  if (parsed.loneDigit) {
    problem = std::string("The hex text ends in a lone digit '") + *parsed.loneDigit +
              "'; every byte takes two digits";
    return std::nullopt;
  }
  return std::move(parsed.bytes);
}

}  // namespace orrikey::cli
