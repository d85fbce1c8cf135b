#include "text/Hex.h"

#include <array>

namespace orrikey::text {
namespace {

// The value of each hex digit, either case; -1 for any other byte.
constexpr std::array<std::int8_t, 256> kDigitValues = [] {
  std::array<std::int8_t, 256> values{};
  values.fill(-1);
  for (int digit = 0; digit < 10; ++digit) values['0' + digit] = static_cast<std::int8_t>(digit);
  for (int digit = 0; digit < 6; ++digit) {
    values['A' + digit] = static_cast<std::int8_t>(10 + digit);
    values['a' + digit] = static_cast<std::int8_t>(10 + digit);
  }
  return values;
}();

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

int HexDigitValue(char c) { return kDigitValues[static_cast<unsigned char>(c)]; }

ParsedHex ParseHex(std::string_view text) {
  ParsedHex parsed;
  parsed.bytes.reserve(text.size() / 2);
  char pair[2];
  size_t pairOffsets[2];
  int held = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsSpace(text[i])) continue;
    pairOffsets[held] = i;
    pair[held++] = text[i];
    if (held < 2) continue;
    held = 0;
    const int high = kDigitValues[static_cast<unsigned char>(pair[0])];
    const int low = kDigitValues[static_cast<unsigned char>(pair[1])];
    if (high < 0 || low < 0) {
      parsed.error = "'$" + std::string(pair, 2) + "' is not a valid integer value";
      parsed.errorOffset = pairOffsets[high < 0 ? 0 : 1];
      return parsed;
    }
    parsed.bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  if (held == 1) parsed.loneDigit = pair[0];
  return parsed;
}

std::string WriteHex(std::span<const std::uint8_t> bytes) {
  std::string hex;
  AppendHex(hex, bytes);
  return hex;
}

void AppendHex(std::string& out, std::span<const std::uint8_t> bytes) {
  const size_t at = out.size();
  out.resize(at + bytes.size() * 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    out[at + 2 * i] = kDigits[bytes[i] >> 4];
    out[at + 2 * i + 1] = kDigits[bytes[i] & 0xF];
  }
}

std::string WriteHex(std::string_view bytes) {
  return WriteHex(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace orrikey::text
