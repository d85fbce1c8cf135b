// The table data files: shape and integrity of every row.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "encoder/Encoder.h"
#include "tables/Tables.h"

namespace orrikey {
namespace {

bool IsUpperHex(std::string_view text) {
  return text.find_first_not_of("0123456789ABCDEF") == std::string_view::npos;
}

std::string_view NameOf(std::string_view row) { return row.substr(0, row.find(',')); }
std::string_view FieldOf(std::string_view row) { return row.substr(row.find(',') + 1); }

TEST(Tables, FixedOpRows) {
  const auto rows = tables::FixedOpTxt();
  ASSERT_EQ(rows.size(), 218u);
  std::set<std::string_view> names;
  int byLength[4] = {};
  for (std::string_view row : rows) {
    SCOPED_TRACE(std::string(row));
    ASSERT_NE(row.find(','), std::string_view::npos);
    const std::string_view name = NameOf(row), hex = FieldOf(row);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find(' '), std::string_view::npos);
    EXPECT_TRUE(names.insert(name).second) << "duplicate name";
    EXPECT_TRUE(IsUpperHex(hex));
    ASSERT_TRUE(hex.size() == 2 || hex.size() == 4 || hex.size() == 6);
    ++byLength[hex.size() / 2];
  }
  EXPECT_EQ(byLength[1], 81);
  EXPECT_EQ(byLength[2], 135);
  EXPECT_EQ(byLength[3], 2);
  EXPECT_EQ(rows.front(), "CL\x85,70");
  EXPECT_EQ(rows.back(), "TIME,A69C");
}

TEST(Tables, ModOpRows) {
  const auto rows = tables::ModOpTxt();
  ASSERT_EQ(rows.size(), 48u);
  std::set<std::string_view> names;
  for (std::string_view row : rows) {
    SCOPED_TRACE(std::string(row));
    const std::string_view name = NameOf(row), templ = FieldOf(row);
    EXPECT_TRUE(names.insert(name).second) << "duplicate name";
    const bool hasExtension = name == "FIX" || name == "SCI" || name == "ENG";
    const bool trailingBlank = name == "STO" || name == "RCL-";
    EXPECT_EQ(templ.size(), hasExtension ? 52u : trailingBlank ? 45u : 44u);
    EXPECT_TRUE(IsUpperHex(templ.substr(0, hasExtension ? 52 : 44)));
    if (trailingBlank) {
      EXPECT_EQ(templ.back(), ' ');
    }
    // The two indirect number slots are equal in every row.
    EXPECT_EQ(templ.substr(10, 6), templ.substr(16, 6));
  }
  EXPECT_EQ(rows.back(), "\x9F," + std::string(22, 'F') + "F17F" + std::string(18, 'F'));
}

// An alias that is a name itself would never be looked up, and one whose
// table name is missing would encode nothing.
TEST(Tables, EveryNameMeansOneInstruction) {
  std::set<std::string_view> fixed;
  for (std::string_view row : tables::FixedOpTxt()) fixed.insert(NameOf(row));
  for (std::string_view row : tables::ModOpTxt()) EXPECT_FALSE(fixed.count(NameOf(row))) << row;
  for (std::string_view row : tables::Aliases()) {
    const size_t comma = row.rfind(',');
    EXPECT_EQ(EncodeLine(row.substr(0, comma)), GetFixedOp(row.substr(comma + 1))) << row;
  }
}

TEST(Tables, CharacterMap) {
  const auto map = tables::CharMap();
  EXPECT_EQ(map[0], 0xA0);
  EXPECT_EQ(map[5], 0x85);
  EXPECT_EQ(map[24], 0x98);
  EXPECT_EQ(map[4], 0xA4);
  EXPECT_EQ(map[20], 0xA4);  // shares its display code with code 4
  for (unsigned char code : map) EXPECT_GE(code, 0x80);
}

}  // namespace
}  // namespace orrikey
