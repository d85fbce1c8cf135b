#pragma once

// The instruction tables turned around: from the bytes that lead an
// instruction to the instruction, built once from the table records. Where
// several rows share the bytes, the first row in table order wins.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tables/Tables.h"

namespace orrikey::HTC {

// One operand form, as the bytes that lead it find it.
struct OperandEntry {
  const tables::ModOp* op;
  bool indirect;
  bool stack;          // a stack register; else a number or a local label
  unsigned char base;  // the operand byte counts from here
};

// An instruction with a number that its first byte holds (LBL 01 to 0F,
// STO 30 to 3F, ...).
struct ShortEntry {
  const tables::ModOp* op = nullptr;
  unsigned number = 0;
  bool trailingByte = false;  // GTO's short form: one more byte follows
};

class Index {
 public:
  static const Index& Get();

  // An instruction without an operand, or a form only read, by its bytes.
  std::optional<std::string_view> FixedName(std::string_view bytes) const;
  const ShortEntry& Short(unsigned char byte) const { return shorts_[byte]; }
  // The operand forms led by these bytes, in table order.
  const std::vector<OperandEntry>* OperandForms(std::string_view lead) const;
  // The instruction whose name form has this lead after its length byte.
  const tables::ModOp* NamedForm(std::string_view lead, bool& indirect) const;
  // GTO and XEQ with a name: the byte before the length byte.
  const tables::ModOp* NameBeforeLength(unsigned char byte) const { return beforeLength_[byte]; }
  // FIX, SCI and ENG 10 and 11: the instruction and its operand.
  std::optional<std::string> TenOrEleven(std::string_view bytes) const;
  bool IsPlainNumberOp(std::string_view name) const;

 private:
  Index();

  // Keys are up to four bytes and their count, packed into one number.
  using Key = uint64_t;

  std::unordered_map<Key, std::string_view> fixed_;
  std::array<ShortEntry, 256> shorts_{};
  std::array<const tables::ModOp*, 256> beforeLength_{};
  std::unordered_map<Key, std::vector<OperandEntry>> operandForms_;
  std::unordered_map<Key, std::pair<const tables::ModOp*, bool>> namedForms_;
  std::unordered_map<Key, std::string> tenEleven_;
};

}  // namespace orrikey::HTC
