// Operand texts and the reverse lookups in the instruction tables.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "decoder/HTC.h"
#include "tables/Tables.h"

namespace orrikey {
namespace {

TEST(OperandText, EveryRange) {
  const struct {
    unsigned byte;
    std::string text;
    bool indirect;
  } rows[] = {
      {0x00, "00", false}, {0x05, "05", false}, {0x0A, "10", false}, {0x64, "100", false},
      {0x65, "", false},   {0x66, "A", false},  {0x6F, "J", false},  {0x70, "", false},
      {0x7A, "", false},   {0x7B, "a", false},  {0x7F, "e", false},  {0x80, "00", true},
      {0x8A, "10", true},  {0xE3, "99", true},  {0xE4, "", false},   {0xFF, "", false},
      {256, "", false},
  };
  for (const auto& row : rows) {
    const HTC::Operand operand = HTC::OperandText(row.byte);
    EXPECT_EQ(operand.text, row.text) << "byte " << row.byte;
    EXPECT_EQ(operand.indirect, row.indirect) << "byte " << row.byte;
  }
}

TEST(FindModOpName, Examples) {
  const struct {
    std::string key;
    std::string name;
  } rows[] = {
      {"9100", "STO "},        {"9180", "STO IND "},   {"AE00", "GTO IND "},
      {"AE80", "XEQ IND "},    {"9170", "STO "},       {"91F0", "STO IND "},
      {"F2D100", "RCL+ "},     {"F2D180", "RCL+ IND "}, {"F3E300", "KEY GTO "},
      {"F3E2F0", "KEY XEQ IND "}, {"F1C3", "KEY GTO "}, {"F1CB", "KEY GTO IND "},
      {"F181", "STO "},        {"F189", "STO IND "},   {"F17F", "\x9F "},
      {"F3F700", "SIZE "},     {"1234", ""},           {"9100 ", ""},
      {"9c00", ""},  // lowercase is never found
  };
  for (const auto& row : rows) EXPECT_EQ(HTC::FindModOpName(row.key), row.name) << row.key;
}

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

// Every text of 4 and 6 digits in the templates, at every offset, gives the
// same name as the walk: this covers keys whose first occurrence in a row is
// at an odd offset while a later one is even.
TEST(FindModOpName, AgreesWithWalkingTheRows) {
  std::set<std::string, std::less<>> keys;
  for (std::string_view row : tables::ModOpTxt()) {
    const std::string_view templ = row.substr(row.find(',') + 1);
    for (size_t length : {4, 6})
      for (size_t at = 0; at + length <= templ.size(); ++at)
        keys.emplace(templ.substr(at, length));
  }
  ASSERT_GT(keys.size(), 1000u);
  for (const std::string& key : keys) EXPECT_EQ(HTC::FindModOpName(key), WalkModOpRows(key)) << key;
}

TEST(FindFixedOpName, FirstRowWins) {
  EXPECT_EQ(HTC::FindFixedOpName("77"), "CLX");
  EXPECT_EQ(HTC::FindFixedOpName("A25D"), "ALL");
  EXPECT_EQ(HTC::FindFixedOpName("C0000D"), "END");  // .END. comes later
  EXPECT_EQ(HTC::FindFixedOpName("A2FF"), "");
  EXPECT_EQ(HTC::FindFixedOpName("a25d"), "");
}

}  // namespace
}  // namespace orrikey
