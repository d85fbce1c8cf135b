// Arbitrary bytes, read as hex text and as the bytes of a raw file: the
// decoder must not crash, read outside its input or hang, and every line it
// writes must be fit for a program text file.

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "decoder/HTC.h"
#include "files/HexText.h"

namespace {

// Returns the conversion error, or nothing when the decode ran to its end.
std::string Decode(std::string_view hex) {
  orrikey::HTC::DecodeResult result;
  try {
    result = orrikey::HTC::HexToCode(hex);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  for (const std::string& line : result.lines)
    if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      std::abort();  // would split or cut a line
  const bool stopped = !result.lines.empty() && result.lines.back() == "Error in Hex Code";
  if (stopped != !result.info.empty()) std::abort();
  return "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  Decode(input);
  // The hex text of a raw file is always well formed.
  if (!Decode(orrikey::BytesToHex(input)).empty()) std::abort();
  return 0;
}
