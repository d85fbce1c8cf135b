#pragma once

// Calculator bytes read one instruction at a time, the way the calculator
// reads them: the decoder's entry point.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Instruction.h"

namespace orrikey::decoder {

// Where decoding stopped: at bytes that end in the middle of an instruction,
// or form one that no program text can name.
struct Stop {
  std::size_t offset;  // the first byte not decoded
  std::size_t line;    // the program line it would have been, counted from 1
};

namespace detail {
class Index;
}

// The instructions one at a time; each one's operand bytes point into the
// bytes read, which must outlive it.
class Reader {
 public:
  explicit Reader(Bytes bytes);
  // The next instruction; false at the end of the bytes and where decoding
  // stops.
  bool Next(Instruction& instruction);
  const std::optional<Stop>& stop() const { return stop_; }

 private:
  const detail::Index& index_;
  Bytes bytes_;
  std::size_t pos_ = 0;
  std::size_t count_ = 0;
  std::optional<Stop> stop_;
};

// A whole program, read into records that point into `bytes`.
struct Decoded {
  std::vector<Instruction> lines;
  std::optional<Stop> stop;
};
Decoded Decode(Bytes bytes);
// The records would point into bytes about to go.
Decoded Decode(std::vector<std::uint8_t>&& bytes) = delete;

// The line that ends the program text where decoding stopped.
inline constexpr std::string_view kErrorLine = "Error in Hex Code";

// "Error in Hex Code - Around Line: N" where decoding stopped, else empty.
std::string StopMessage(const std::optional<Stop>& stop);

}  // namespace orrikey::decoder
