#pragma once

// The rows of an instruction table by name. Every line is looked up by its
// name, most of them in a table that does not hold it, so the rows are kept
// in open slots at most half full: a name is found, or told missing, after a
// probe or two, with a hash that costs little for names of a few bytes. The
// first row of a name keeps it.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orrikey::encoder {

template <typename Op>
class NameIndex {
 public:
  explicit NameIndex(std::span<const Op> ops) : slots_(std::bit_ceil(2 * ops.size() + 1)) {
    for (const Op& op : ops) {
      const Op*& slot = slots_[SlotOf(op.name)];
      if (!slot) slot = &op;
    }
  }

  const Op* Find(std::string_view name) const { return slots_[SlotOf(name)]; }

 private:
  // The name's length and first eight bytes, mixed by one multiplication:
  // few names share those, and comparing the names tells them apart.
  static size_t Hash(std::string_view name) {
    std::uint64_t word = 0;
    for (size_t i = 0; i < name.size() && i < 8; ++i) word = word << 8 | static_cast<unsigned char>(name[i]);
    return static_cast<size_t>(((word ^ name.size()) * 0x9E3779B97F4A7C15) >> 32);
  }

  // The slot that holds the name, or the empty one where it would go.
  size_t SlotOf(std::string_view name) const {
    const size_t mask = slots_.size() - 1;
    size_t at = Hash(name) & mask;
    while (slots_[at] && slots_[at]->name != name) at = (at + 1) & mask;
    return at;
  }

  std::vector<const Op*> slots_;
};

}  // namespace orrikey::encoder
