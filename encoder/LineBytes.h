#pragma once

// The bytes of one program line, put together from the tables' bytes and
// the operand's. Nearly every line fits in the line itself, so that a large
// program costs no allocation per line; a text of fifteen characters and a
// number written with very many digits take a vector.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace orrikey::encoder {

class LineBytes {
 public:
  LineBytes() = default;
  LineBytes(std::initializer_list<std::uint8_t> bytes) { append({bytes.begin(), bytes.size()}); }

  const std::uint8_t* data() const { return outgrown_.empty() ? held_.data() : outgrown_.data(); }
  size_t size() const { return outgrown_.empty() ? heldSize_ : outgrown_.size(); }
  bool empty() const { return size() == 0; }
  const std::uint8_t* begin() const { return data(); }
  const std::uint8_t* end() const { return data() + size(); }
  std::uint8_t back() const { return end()[-1]; }
  operator std::span<const std::uint8_t>() const { return {data(), size()}; }

  void push_back(std::uint8_t byte) { append({&byte, 1}); }
  // Bytes as the tables hold them.
  void append(std::string_view bytes) {
    append({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  }
  void append(std::span<const std::uint8_t> bytes) {
    if (outgrown_.empty() && heldSize_ + bytes.size() <= held_.size()) {
      std::copy(bytes.begin(), bytes.end(), held_.begin() + heldSize_);
      heldSize_ += static_cast<std::uint8_t>(bytes.size());
      return;
    }
    if (outgrown_.empty()) outgrown_.assign(held_.begin(), held_.begin() + heldSize_);
    outgrown_.insert(outgrown_.end(), bytes.begin(), bytes.end());
  }

 private:
  std::array<std::uint8_t, 15> held_{};
  std::uint8_t heldSize_ = 0;
  std::vector<std::uint8_t> outgrown_;  // all the bytes, once they outgrow held_
};

}  // namespace orrikey::encoder
