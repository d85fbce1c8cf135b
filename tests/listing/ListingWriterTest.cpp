// Decoded program lines as the calculator lists them.

#include <gtest/gtest.h>

#include "listing/ListingWriter.h"

namespace orrikey::listing {
namespace {

// The calculator drops a NULL as it reads a program: it is neither listed
// nor counted, and NULLs alone make no program.
TEST(WriteListing, NumbersEachProgramAndCountsItWithoutItsEndOrNulls) {
  const std::vector<ListedLine> lines = {
      {"LBL \"A\"", 5, false}, {"NULL", 1, false, true}, {"CLX", 1, false}, {".END.", 3, true},
      {"LBL 01", 1, false},    {"DATE_PLUS", 2, false},  {"RDX", 2, false}};
  EXPECT_EQ(WriteListing(lines), "00 { 6-Byte Prgm }\n01▸LBL \"A\"\n02 CLX\n03 END\n"
                                 "00 { 5-Byte Prgm }\n01▸LBL 01\n02 DATE+\n03 RDX,\n04 END\n");
  EXPECT_EQ(WriteListing({}), "");  // no program, no header
  EXPECT_EQ(WriteListing(std::vector<ListedLine>{{"NULL", 1, false, true}}), "");
}

TEST(WriteListing, NumbersPastNinetyNineWithMoreDigits) {
  const std::string listing = WriteListing(std::vector<ListedLine>(100, {"CLX", 1, false}));
  EXPECT_NE(listing.find("\n99 CLX\n100 CLX\n101 END\n"), std::string::npos);
}

}  // namespace
}  // namespace orrikey::listing
