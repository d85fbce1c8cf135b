#include "encoder/Encoder.h"
#include "tables/Tables.h"

namespace orrikey {

// Split at the last comma: a spelling such as "RDX," holds one itself.
std::optional<std::string_view> FixedOpOfAlias(std::string_view line) {
  for (std::string_view row : tables::Aliases()) {
    const size_t comma = row.rfind(',');
    if (row.substr(0, comma) == line) return row.substr(comma + 1);
  }
  return std::nullopt;
}

}  // namespace orrikey
