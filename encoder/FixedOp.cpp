#include "text/HexDigits.h"
#include "encoder/LineEncoders.h"

namespace orrikey {

std::optional<std::string> GetFixedOp(std::string_view line) {
  for (const tables::FixedOp& op : tables::FixedOps())
    if (op.name == line) return hex::Bytes(op.bytes);
  return std::nullopt;
}

}  // namespace orrikey
