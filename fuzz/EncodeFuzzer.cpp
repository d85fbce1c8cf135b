// Arbitrary bytes as program text: the encoder must not crash or hang, must
// keep every line and mark some of every line that fails, and the bytes of a
// program that converts must decode to their end.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Reader.h"
#include "encoder/Assembly.h"
#include "encoder/Explain.h"
#include "programtext/EightBit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = orrikey::programtext::SplitLines(text);
  const orrikey::encoder::Assembly assembly = orrikey::encoder::Assemble(lines);
  if (assembly.lines().size() != lines.size()) std::abort();
  for (size_t failed : assembly.FailedLines()) {
    const orrikey::encoder::Fault fault =
        orrikey::encoder::ExplainFailure(lines[failed], assembly.lines()[failed].assembled);
    if (fault.message.empty() || fault.begin >= fault.end || fault.end > lines[failed].size()) std::abort();
  }
  if (assembly.failureCount() > 0) return 0;
  const std::vector<std::uint8_t> bytes = assembly.Bytes();
  if (orrikey::decoder::Decode(bytes).stop) std::abort();
  return 0;
}
