#pragma once

// The rows of an instruction table by name. Every line is looked up by its
// name, so a table is hashed once, with a hash that costs little for names
// of a few bytes; the first row of a name keeps it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <unordered_map>

namespace orrikey::encoder {

template <typename Op>
class NameIndex {
 public:
  explicit NameIndex(std::span<const Op> ops) {
    for (const Op& op : ops) byName_.try_emplace(op.name, &op);
  }

  const Op* Find(std::string_view name) const {
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
  }

 private:
  // FNV-1a.
  struct Hash {
    size_t operator()(std::string_view name) const {
      std::uint64_t hash = 0xcbf29ce484222325;
      for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3;
      return static_cast<size_t>(hash);
    }
  };
  std::unordered_map<std::string_view, const Op*, Hash> byName_;
};

}  // namespace orrikey::encoder
