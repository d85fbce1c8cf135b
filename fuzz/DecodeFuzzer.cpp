// Arbitrary bytes as the bytes of a raw file: the decoder must not crash,
// read outside its input or hang, its lines must cover the bytes in order up
// to where it stopped, and every line it writes must be fit for a program
// text file.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "decoder/Decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const orrikey::decoder::Decoded decoded = orrikey::decoder::Decode(std::span(data, size));
  size_t next = 0;
  for (const orrikey::decoder::Line& line : decoded.lines) {
    if (line.offset != next || line.size == 0) std::abort();
    next += line.size;
    if (decoded.TextOf(line).find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      std::abort();  // would split or cut a line
    if (line.fixedOp && line.modOp) std::abort();
  }
  const size_t end = decoded.stop ? decoded.stop->offset : size;
  if (next != end || end > size) std::abort();
  if (decoded.stop && decoded.stop->line != decoded.lines.size() + 1) std::abort();
  return 0;
}
