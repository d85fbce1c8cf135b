// The reverse lookups in the instruction tables. The operand texts are covered
// by the decoder's rows and the round trip.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "decoder/HTC.h"
#include "tables/Tables.h"

namespace orrikey {
namespace {

// The name of the first row in whose templates the key first occurs at an
// even offset, found by walking the rows.
std::string WalkModOpRows(std::string_view key) {
  for (std::string_view row : tables::ModOpTxt()) {
    const size_t comma = row.find(',');
    const size_t at = row.substr(comma + 1).find(key);
    if (at != std::string_view::npos && at % 2 == 0)
      return std::string(row.substr(0, comma)) + (at < 21 ? " IND " : " ");
  }
  return "";
}

// The packed index answers like the walk for every text of 4 and 6 digits in
// the templates, at every offset (some first occur at an odd offset and later
// at an even one), and for keys in no template: lowercase, a blank.
TEST(FindModOpName, AgreesWithWalkingTheRows) {
  std::set<std::string, std::less<>> keys = {"1234", "9100 ", "9c00"};
  for (std::string_view row : tables::ModOpTxt()) {
    const std::string_view templ = row.substr(row.find(',') + 1);
    for (size_t length : {4, 6})
      for (size_t at = 0; at + length <= templ.size(); ++at) keys.emplace(templ.substr(at, length));
  }
  ASSERT_GT(keys.size(), 1000u);
  for (const std::string& key : keys) EXPECT_EQ(HTC::FindModOpName(key), WalkModOpRows(key)) << key;
}

TEST(FindFixedOpName, FirstRowWins) {
  EXPECT_EQ(HTC::FindFixedOpName("C0000D"), "END");  // .END. comes later
}

}  // namespace
}  // namespace orrikey
