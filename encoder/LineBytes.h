#pragma once

// The bytes of one program line, put together from the tables' bytes and
// the operand's.

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
  LineBytes(std::initializer_list<std::uint8_t> bytes) : bytes_(bytes) {}

  const std::uint8_t* data() const { return bytes_.data(); }
  size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  auto begin() const { return bytes_.begin(); }
  auto end() const { return bytes_.end(); }
  std::uint8_t back() const { return bytes_.back(); }
  operator std::span<const std::uint8_t>() const { return bytes_; }

  void push_back(std::uint8_t byte) { bytes_.push_back(byte); }
  // Bytes as the tables hold them.
  void append(std::string_view bytes) {
    append({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  }
  void append(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace orrikey::encoder
