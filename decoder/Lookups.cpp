// Reverse lookups in the instruction tables, and the operand texts.
//
// The decoder asks for a name several times per instruction, so both tables
// are turned once into indexes that give the same answers as walking the rows
// in order. Keys are hex digits, which the indexes hold packed into numbers.

#include <array>
#include <optional>
#include <string>
#include <unordered_map>

#include "decoder/HTC.h"
#include "tables/Tables.h"

namespace orrikey::HTC {
namespace {

using NameIndex = std::unordered_map<uint32_t, std::string>;

// The direct forms start at this template position (from 0); the indirect
// forms lie before it.
constexpr size_t kDirectForms = 22;

// Up to 6 uppercase hex digits and their count, as one number. Other texts
// are in no table and have no number.
std::optional<uint32_t> Packed(std::string_view key) {
  if (key.size() > 6) return std::nullopt;
  uint32_t packed = 0;
  for (char c : key) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return std::nullopt;
    packed = packed << 4 | static_cast<uint32_t>(digit);
  }
  return packed | static_cast<uint32_t>(key.size()) << 24;
}

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
        const auto packed = Packed(key);
        if (!packed || templ.find(key) != at) continue;
        index.try_emplace(*packed, std::string(name) + (at < kDirectForms ? " IND " : " "));
      }
    }
  }
  return index;
}

NameIndex BuildFixedOpIndex() {
  NameIndex index;
  for (std::string_view row : tables::FixedOpTxt()) {
    const size_t comma = row.find(',');
    if (const auto packed = Packed(row.substr(comma + 1)))
      index.try_emplace(*packed, row.substr(0, comma));  // keeps the first row
  }
  return index;
}

std::string_view Find(const NameIndex& index, std::string_view key) {
  const auto packed = Packed(key);
  if (!packed) return {};
  const auto found = index.find(*packed);
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
