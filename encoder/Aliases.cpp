#include "encoder/LineEncoders.h"

namespace orrikey::encoder {

std::optional<std::string_view> FixedOpOfAlias(std::string_view line) {
  for (const tables::TextPair& alias : tables::Aliases())
    if (alias.key == line) return alias.value;
  return std::nullopt;
}

}  // namespace orrikey::encoder
