// Arbitrary bytes as the bytes of a raw file: the decoder must not crash,
// read outside its input or hang, its lines must cover the bytes in order up
// to where it stopped, every line it writes must be fit for a program text
// file, and a line must read alike after any lines.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Reader.h"
#include "programtext/Codes.h"
#include "tables/ByteCode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const orrikey::decoder::Decoded decoded = orrikey::decoder::Decode(std::span(data, size));
  size_t next = 0;
  for (const orrikey::decoder::Instruction& line : decoded.lines) {
    if (line.offset != next || line.size == 0) std::abort();
    next += line.size;
    if (orrikey::programtext::CodesOf(line).find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      std::abort();  // would split or cut a line
    if (line.fixedOp && line.modOp) std::abort();
  }
  const size_t end = decoded.stop ? decoded.stop->offset : size;
  if (next != end || end > size) std::abort();
  if (decoded.stop && decoded.stop->line != decoded.lines.size() + 1) std::abort();

  // Bytes that decode whole, repeated into a long program, read as the same
  // lines again and again, unless a number at the end runs on into the next.
  if (decoded.stop || size == 0 || orrikey::tables::bytecode::IsNumberByte(data[size - 1])) return 0;
  std::vector<std::uint8_t> repeated;
  while (repeated.size() < 8192) repeated.insert(repeated.end(), data, data + size);
  const orrikey::decoder::Decoded program = orrikey::decoder::Decode(repeated);
  if (program.stop || program.lines.size() % decoded.lines.size() != 0) std::abort();
  for (size_t i = 0; i < program.lines.size(); ++i) {
    const orrikey::decoder::Instruction& once = decoded.lines[i % decoded.lines.size()];
    const orrikey::decoder::Instruction& again = program.lines[i];
    if (orrikey::programtext::CodesOf(again) != orrikey::programtext::CodesOf(once) ||
        again.fixedOp != once.fixedOp || again.modOp != once.modOp)
      std::abort();
  }
  return 0;
}
