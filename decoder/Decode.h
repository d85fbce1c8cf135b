#pragma once

// Calculator bytes back to program text, read the way the calculator reads
// them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/Tables.h"

namespace orrikey::decoder {

// One instruction. Its text, in display codes, lies in the buffer it was
// decoded into, so that a large program costs no allocation per line; the
// input files are capped far below 4 GiB.
struct Line {
  std::uint32_t offset = 0;  // of its first byte
  std::uint32_t size = 0;    // its byte count
  std::uint32_t textOffset = 0;
  std::uint32_t textSize = 0;
  // The table row it was read as; both null for numbers, texts and XROM lines.
  const tables::FixedOp* fixedOp = nullptr;
  const tables::ModOp* modOp = nullptr;

  bool endsProgram() const { return fixedOp && fixedOp->endsProgram; }
  bool dropped() const { return fixedOp && fixedOp->dropped; }
};

// Where decoding stopped: at bytes that end in the middle of an instruction,
// or form one that no program text can name.
struct Stop {
  std::size_t offset;  // the first byte not decoded
  std::size_t line;    // the program line it would have been, counted from 1
};

struct Decoded {
  std::string text;  // every line's text, one after the other
  std::vector<Line> lines;
  std::optional<Stop> stop;

  std::string_view TextOf(const Line& line) const {
    return std::string_view(text).substr(line.textOffset, line.textSize);
  }
};

Decoded Decode(std::span<const std::uint8_t> bytes);

// The digits, the point, the exponent mark and the minus of a number.
constexpr bool IsNumberByte(std::uint8_t byte) { return byte >= 0x10 && byte <= 0x1C; }

// The bytes of a file as the file readers return them, not copied.
inline std::span<const std::uint8_t> AsBytes(std::string_view bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// The line that ends the program text where decoding stopped.
inline constexpr std::string_view kErrorLine = "Error in Hex Code";

// The program text as the editor shows it: one line per instruction, then
// kErrorLine where decoding stopped.
std::vector<std::string> ProgramText(const Decoded& decoded);

// "Error in Hex Code - Around Line: N" where decoding stopped, else empty.
std::string StopMessage(const std::optional<Stop>& stop);

}  // namespace orrikey::decoder
