#pragma once

// Hex text given on the command line with decode --hex.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::cli {

// The bytes of the hex text: every byte two digits, blanks and line breaks
// between them allowed. When it is not hex, nothing, and why in `problem`.
std::optional<std::vector<std::uint8_t>> ParseHexArgument(std::string_view hex, std::string& problem);

}  // namespace orrikey::cli
