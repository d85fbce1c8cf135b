#include "encoder/Encoder.h"
#include "tables/Tables.h"


namespace orrikey {
namespace {

struct FixedOp {
  std::string_view name;
  std::string_view hex;
};

// The table split at each row's first comma once, in table order.
const std::vector<FixedOp>& FixedOps() {
  static const std::vector<FixedOp> ops = [] {
    std::vector<FixedOp> split;
    for (std::string_view row : tables::FixedOpTxt()) {
      const size_t comma = row.find(',');
      split.push_back({row.substr(0, comma), row.substr(comma + 1)});
    }
    return split;
  }();
  return ops;
}

}  // namespace

std::optional<std::string> GetFixedOp(std::string_view line) {
  for (const FixedOp& op : FixedOps())
    if (op.name == line) return std::string(op.hex);
  return std::nullopt;
}

}  // namespace orrikey
