#pragma once

// Conversions between raw program bytes and hex text.

#include <string>
#include <string_view>

namespace orrikey {

// Two uppercase hex digits per byte, nothing dropped or added.
std::string BytesToHex(std::string_view bytes);

}  // namespace orrikey
