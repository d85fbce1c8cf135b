// Arbitrary bytes as a listing: the reader must not crash or hang, must name
// the file's lines in order, and a program it reads whole must come back from
// the listing written for it.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Reader.h"
#include "encoder/Encoder.h"
#include "listing/ListingReader.h"
#include "listing/ListingWriter.h"
#include "programtext/Codes.h"
#include "text/Hex.h"

namespace {

std::string EncodeAll(const std::vector<orrikey::listing::ListingLine>& lines) {
  std::string hex;
  for (const orrikey::listing::ListingLine& line : lines) {
    const orrikey::encoder::AssembledLine again = orrikey::encoder::AssembleLine(line.text);
    if (again.failed()) return "";
    hex += orrikey::encoder::HexRow(again);
  }
  return hex;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orrikey::listing::ReadListingResult read = orrikey::listing::ReadListing(text);
  size_t previous = 0;
  for (const orrikey::listing::ListingLine& line : read.lines) {
    if (line.fileLine <= previous || line.fileLine > size) std::abort();
    previous = line.fileLine;
  }
  const std::string hex = EncodeAll(read.lines);
  if (!read.errors.empty() || hex.empty()) return 0;

  const std::vector<std::uint8_t> bytes = orrikey::text::ParseHex(hex).bytes;
  const orrikey::decoder::Decoded decoded = orrikey::decoder::Decode(bytes);
  if (decoded.stop) std::abort();
  std::string expected;
  bool open = false;  // lines after the last END, which the listing ends with one
  for (const orrikey::decoder::Instruction& line : decoded.lines) {
    if (!line.dropped())
      expected +=
          orrikey::encoder::HexRow(orrikey::encoder::AssembleLine(orrikey::programtext::CodesOf(line)));
    open = !line.endsProgram() && (open || !line.dropped());
  }
  if (open) expected += "C0000D";
  const orrikey::listing::ReadListingResult again =
      orrikey::listing::ReadListing(orrikey::listing::WriteListingOf(decoded));
  if (!again.errors.empty() || EncodeAll(again.lines) != expected) std::abort();
  return 0;
}
