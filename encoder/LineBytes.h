#pragma once

// The bytes of one program line. An instruction has at most a score of
// bytes, so they are held in the line itself and a program of many lines
// takes no memory of its own per line; only a number written with very many
// digits goes to the heap.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace orrikey::encoder {

class LineBytes {
 public:
  LineBytes() = default;
  LineBytes(std::initializer_list<std::uint8_t> bytes) { append({bytes.begin(), bytes.size()}); }
  LineBytes(const LineBytes& other)
      : short_(other.short_),
        shortSize_(other.shortSize_),
        long_(other.long_ ? std::make_unique<std::vector<std::uint8_t>>(*other.long_) : nullptr) {}
  LineBytes(LineBytes&&) = default;
  LineBytes& operator=(const LineBytes& other) { return *this = LineBytes(other); }
  LineBytes& operator=(LineBytes&&) = default;

  const std::uint8_t* data() const { return long_ ? long_->data() : short_.data(); }
  size_t size() const { return long_ ? long_->size() : shortSize_; }
  bool empty() const { return size() == 0; }
  const std::uint8_t* begin() const { return data(); }
  const std::uint8_t* end() const { return data() + size(); }
  std::uint8_t back() const { return end()[-1]; }
  operator std::span<const std::uint8_t>() const { return {data(), size()}; }

  void push_back(std::uint8_t byte) {
    if (!long_ && shortSize_ < short_.size()) short_[shortSize_++] = byte;
    else append({&byte, 1});
  }
  // Bytes as the tables hold them.
  void append(std::string_view bytes) {
    append({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  }
  void append(std::span<const std::uint8_t> bytes) {
    if (!long_ && shortSize_ + bytes.size() <= short_.size()) {
      std::copy(bytes.begin(), bytes.end(), short_.begin() + shortSize_);
      shortSize_ += static_cast<std::uint8_t>(bytes.size());
      return;
    }
    if (!long_) long_ = std::make_unique<std::vector<std::uint8_t>>(short_.begin(), short_.begin() + shortSize_);
    long_->insert(long_->end(), bytes.begin(), bytes.end());
  }

 private:
  std::array<std::uint8_t, 23> short_{};
  std::uint8_t shortSize_ = 0;
  // Kept apart, so that a line stays small.
  std::unique_ptr<std::vector<std::uint8_t>> long_;
};

}  // namespace orrikey::encoder
