#pragma once

// The bytes of one program line. An instruction has at most a score of
// bytes, so they are held in the line itself and a program of many lines
// takes no memory of its own per line; only a number written with very many
// digits goes to the heap.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace orrikey::encoder {

class LineBytes {
 public:
  LineBytes() = default;
  LineBytes(std::initializer_list<std::uint8_t> bytes) { append({bytes.begin(), bytes.size()}); }
  LineBytes(const LineBytes& other) { append(other); }
  LineBytes(LineBytes&& other) noexcept : held_(other.held_), size_(other.size_) { other.size_ = 0; }
  LineBytes& operator=(LineBytes other) noexcept {
    std::swap(held_, other.held_);
    std::swap(size_, other.size_);
    return *this;
  }
  ~LineBytes() { delete Heap(); }

  const std::uint8_t* data() const { return size_ == kOnHeap ? Heap()->data() : held_.data(); }
  size_t size() const { return size_ == kOnHeap ? Heap()->size() : size_; }
  bool empty() const { return size() == 0; }
  const std::uint8_t* begin() const { return data(); }
  const std::uint8_t* end() const { return data() + size(); }
  std::uint8_t back() const { return end()[-1]; }
  operator std::span<const std::uint8_t>() const { return {data(), size()}; }

  void push_back(std::uint8_t byte) {
    if (size_ < held_.size()) held_[size_++] = byte;
    else append({&byte, 1});
  }
  // Bytes as the tables hold them.
  void append(std::string_view bytes) {
    append({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  }
  void append(std::span<const std::uint8_t> bytes) {
    if (size_ != kOnHeap && size_ + bytes.size() <= held_.size()) {
      std::copy(bytes.begin(), bytes.end(), held_.begin() + size_);
      size_ += static_cast<std::uint8_t>(bytes.size());
      return;
    }
    AppendOnHeap(bytes);
  }

 private:
  static constexpr std::uint8_t kOnHeap = 0xFF;

  // Out of line, as only a very long number comes here.
  void AppendOnHeap(std::span<const std::uint8_t> bytes);

  std::vector<std::uint8_t>* Heap() const {
    if (size_ != kOnHeap) return nullptr;
    std::vector<std::uint8_t>* heap = nullptr;
    std::memcpy(&heap, held_.data(), sizeof heap);
    return heap;
  }

  // The bytes; once they outgrow the room, the address of their vector. The
  // address is kept in the room rather than beside it, which keeps every
  // line of an assembly a word smaller.
  std::array<std::uint8_t, 23> held_{};
  std::uint8_t size_ = 0;  // kOnHeap once on the heap
};

}  // namespace orrikey::encoder
