#pragma once

// Conversions between raw program bytes and hex text.

#include <string>
#include <string_view>
#include <vector>

namespace orrikey {

// Reads the hex pane's lines. asBytes false: the lines joined as they stand
// (hex text). asBytes true: every digit pair (a lone last digit of a line
// alone) as one byte; throws std::runtime_error "'$..' is not a valid integer
// value" for a pair that is not hexadecimal.
std::string GetHexString(const std::vector<std::string>& lines, bool asBytes);

}  // namespace orrikey
