// Reverse lookups in the instruction tables, and the operand texts.
//
// The decoder asks for a name several times per instruction, so both tables
// are turned once into sorted key lists that give the same answers as
// walking the rows in order.

#include <array>
#include <map>
#include <string>

#include "decoder/HTC.h"
#include "tables/Tables.h"

namespace orrikey::HTC {
namespace {

using NameIndex = std::map<std::string, std::string, std::less<>>;

// The direct forms start at this template position (from 0); the indirect
// forms lie before it.
constexpr size_t kDirectForms = 22;

// Every 4- and 6-digit text of every template is indexed at its first
// occurrence in that template, when that occurrence is on a byte boundary;
// the first row that qualifies keeps the key.
NameIndex BuildModOpIndex() {
  NameIndex index;
  for (std::string_view row : tables::ModOpTxt()) {
    const size_t comma = row.find(',');
    const std::string_view name = row.substr(0, comma);
    const std::string_view templ = row.substr(comma + 1);
    for (size_t length : {4, 6}) {
      for (size_t at = 0; at + length <= templ.size(); at += 2) {
        const std::string_view key = templ.substr(at, length);
        if (templ.find(key) != at || index.contains(key)) continue;
        std::string found(name);
        found += at < kDirectForms ? " IND " : " ";
        index.emplace(key, std::move(found));
      }
    }
  }
  return index;
}

NameIndex BuildFixedOpIndex() {
  NameIndex index;
  for (std::string_view row : tables::FixedOpTxt()) {
    const size_t comma = row.find(',');
    index.emplace(row.substr(comma + 1), row.substr(0, comma));  // keeps the first row
  }
  return index;
}

std::string_view Find(const NameIndex& index, std::string_view key) {
  const auto found = index.find(key);
  return found == index.end() ? std::string_view() : std::string_view(found->second);
}

std::string OperandTextOf(unsigned byte) {
  std::string text;
  if (byte <= 100) text = std::to_string(byte);
  else if (byte >= 0x66 && byte <= 0x6F) text = std::string(1, static_cast<char>(byte - 37));
  else if (byte >= 0x7B && byte <= 0x7F) text = std::string(1, static_cast<char>(byte - 26));
  else if (byte >= 0x80 && byte <= 0xE3) text = std::to_string(byte - 0x80);
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') text.insert(text.begin(), '0');
  return text;
}

}  // namespace

Operand OperandText(unsigned byte) {
  static const std::array<std::string, 257> texts = [] {
    std::array<std::string, 257> all;
    for (unsigned b = 0; b < all.size(); ++b) all[b] = OperandTextOf(b);
    return all;
  }();
  if (byte >= texts.size()) return {};
  return {texts[byte], byte >= 0x80 && byte <= 0xE3};
}

std::string_view FindModOpName(std::string_view key) {
  static const NameIndex index = BuildModOpIndex();
  return Find(index, key);
}

std::string_view FindFixedOpName(std::string_view key) {
  static const NameIndex index = BuildFixedOpIndex();
  return Find(index, key);
}

}  // namespace orrikey::HTC
