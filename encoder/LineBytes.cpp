#include "encoder/LineBytes.h"

namespace orrikey::encoder {

void LineBytes::AppendOnHeap(std::span<const std::uint8_t> bytes) {
  if (size_ != kOnHeap) {
    auto* heap = new std::vector<std::uint8_t>(held_.begin(), held_.begin() + size_);
    std::memcpy(held_.data(), &heap, sizeof heap);
    size_ = kOnHeap;
  }
  Heap()->insert(Heap()->end(), bytes.begin(), bytes.end());
}

}  // namespace orrikey::encoder
