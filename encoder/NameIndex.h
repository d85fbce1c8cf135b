#pragma once

// The rows of an instruction table by name, built once: every line is
// looked up by its name. The first row of a name keeps it.

#include <span>
#include <string_view>
#include <unordered_map>

namespace orrikey::encoder {

template <typename Op>
class NameIndex {
 public:
  explicit NameIndex(std::span<const Op> ops) {
    for (const Op& op : ops) rows_.try_emplace(op.name, &op);
  }

  const Op* Find(std::string_view name) const {
    const auto row = rows_.find(name);
    return row == rows_.end() ? nullptr : row->second;
  }

 private:
  std::unordered_map<std::string_view, const Op*> rows_;
};

}  // namespace orrikey::encoder
