#include "tables/Tables.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace orrikey::tables {

std::array<unsigned char, 32> CharMap() {
  std::array<unsigned char, 32> map{};
  const auto rows = CharMapRows();
  if (rows.size() != map.size()) throw std::logic_error("character map must have 32 rows");
  for (size_t code = 0; code < rows.size(); ++code) {
    const std::string_view row = rows[code];
    const size_t comma = row.find(',');
    unsigned value = 0;
    const auto hex = row.substr(comma + 1);
    const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
    if (comma == std::string_view::npos || row.substr(0, comma) != std::to_string(code) ||
        error != std::errc() || end != hex.data() + hex.size() || value > 0xFF)
      throw std::logic_error("bad character map row: " + std::string(row));
    map[code] = static_cast<unsigned char>(value);
  }
  return map;
}

}  // namespace orrikey::tables
