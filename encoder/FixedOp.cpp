#include <unordered_map>

#include "encoder/LineEncoders.h"

namespace orrikey::encoder {
namespace {

// Every line is looked up here, so the table is hashed once; the first row
// of a name keeps it.
const std::unordered_map<std::string_view, const tables::FixedOp*>& ByName() {
  static const auto index = [] {
    std::unordered_map<std::string_view, const tables::FixedOp*> byName;
    for (const tables::FixedOp& op : tables::FixedOps()) byName.try_emplace(op.name, &op);
    return byName;
  }();
  return index;
}

}  // namespace

std::optional<AssembledLine> EncodeFixedInstruction(std::string_view line) {
  const auto found = ByName().find(line);
  if (found == ByName().end()) return std::nullopt;
  const tables::FixedOp& op = *found->second;
  AssembledLine fixed{{}, {}, &op};
  fixed.bytes.append(op.bytes);
  return fixed;
}

}  // namespace orrikey::encoder
