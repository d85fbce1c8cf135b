// Arbitrary bytes as program text: the encoder must not crash or hang, must
// give exactly one hex line per program line, each either an error line or
// pairs of uppercase hex digits, and its bytes must decode without harm.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "decoder/Decode.h"
#include "encoder/Encoder.h"
#include "files/ProgramText.h"
#include "text/Hex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto conversion = orrikey::MakeHexCode(orrikey::SplitLines(text));
  if (!conversion) return 0;
  if (conversion->hexLines.size() != conversion->programLines.size()) std::abort();
  for (const std::string& hex : conversion->hexLines) {
    if (hex.starts_with(orrikey::kErrorMarker)) continue;
    if (hex.size() % 2 != 0 || hex.find_first_not_of("0123456789ABCDEF") != std::string::npos)
      std::abort();
  }
  if (!conversion->infoLines.empty()) return 0;
  // Every program the encoder writes decodes to its end.
  std::string hex;
  for (const std::string& line : conversion->hexLines) hex += line;
  if (orrikey::decoder::Decode(orrikey::text::ParseHex(hex).bytes).stop) std::abort();
  return 0;
}
