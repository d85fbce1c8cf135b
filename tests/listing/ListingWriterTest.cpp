// Decoded programs as the calculator lists them.

#include <gtest/gtest.h>

#include "listing/ListingWriter.h"
#include "text/Hex.h"

namespace orrikey::listing {
namespace {

std::string ListingOfHex(std::string_view hex) {
  const std::vector<std::uint8_t> bytes = text::ParseHex(hex).bytes;
  return WriteListingOf(decoder::Decode(bytes));
}

// The calculator drops a NULL as it reads a program: it is neither listed
// nor counted, and NULLs alone make no program. Labels get their mark, and
// names their calculator's spelling.
TEST(WriteListing, NumbersEachProgramAndCountsItWithoutItsEndOrNulls) {
  const struct {
    std::string_view hex;
    std::string listing;
  } rows[] = {
      {"C000F20041"
       "00"
       "77"
       "C0000D"
       "02"
       "A68D"
       "A25C",
       "00 { 6-Byte Prgm }\n01▸LBL \"A\"\n02 CLX\n03 END\n"
       "00 { 5-Byte Prgm }\n01▸LBL 01\n02 DATE+\n03 RDX,\n04 END\n"},
      {"F2D305"
       "42"
       "CFDE",
       "00 { 6-Byte Prgm }\n01 RCL× 05\n02 ×\n03▸LBL IND 94\n04 END\n"},
      {"", ""},
      {"00", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(ListingOfHex(row.hex), row.listing) << row.hex;
}

TEST(WriteListing, NumbersPastNinetyNineWithMoreDigits) {
  const std::string listing = ListingOfHex(std::string(200, '7'));
  EXPECT_NE(listing.find("\n99 CLX\n100 CLX\n101 END\n"), std::string::npos);
}

}  // namespace
}  // namespace orrikey::listing
