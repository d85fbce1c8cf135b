#include <string>
#include <unordered_map>

#include "text/HexDigits.h"
#include "encoder/LineEncoders.h"

namespace orrikey {
namespace {

// Every line is looked up here, so the table is hashed once; the first row
// of a name keeps it.
const std::unordered_map<std::string_view, std::string>& HexByName() {
  static const auto index = [] {
    std::unordered_map<std::string_view, std::string> byName;
    for (const tables::FixedOp& op : tables::FixedOps()) byName.try_emplace(op.name, hex::Bytes(op.bytes));
    return byName;
  }();
  return index;
}

}  // namespace

std::optional<std::string> GetFixedOp(std::string_view line) {
  const auto found = HexByName().find(line);
  if (found == HexByName().end()) return std::nullopt;
  return found->second;
}

}  // namespace orrikey
