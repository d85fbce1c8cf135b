#pragma once

// Hex text, as users type it and as the hex pane and the command line show
// bytes: the one reader and the one writer of it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::text {

struct ParsedHex {
  std::vector<std::uint8_t> bytes;  // every whole digit pair, in order
  // Empty, or why the text is not hex: "'$xy' is not a valid integer value"
  // for the first pair that is not two hex digits; `bytes` then ends before it.
  std::string error;
  // With an error, where in the text that pair's first byte that is no hex
  // digit stands, for a message that points at it.
  size_t errorOffset = 0;
  // A last digit without its pair; it is not in `bytes`.
  std::optional<char> loneDigit;
};

// Reads two digits per byte, either case. Blanks, tabs and line breaks may
// stand anywhere and are skipped.
ParsedHex ParseHex(std::string_view text);

// The value of a hex digit, either case; -1 for any other character.
int HexDigitValue(char c);

// Two uppercase digits per byte, nothing between them.
std::string WriteHex(std::span<const std::uint8_t> bytes);
void AppendHex(std::string& out, std::span<const std::uint8_t> bytes);
std::string WriteHex(std::string_view bytes);

}  // namespace orrikey::text
