#pragma once

// The instruction tables turned around: from the bytes that lead an
// instruction to the instruction, built once from the table records. Where
// several rows share the bytes, the first row in table order wins.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "tables/ByteCode.h"
#include "tables/Tables.h"

namespace orrikey::decoder::detail {

// How an operand form writes its value.
enum class ValueStyle : std::uint8_t {
  kStack,        // ST T to ST L
  kLabel,        // a local label: a letter, a stack register or two digits
  kRegister,     // two digits at least
  kPlainNumber,  // digits without a leading zero
};

// One operand form, as the bytes that lead it find it.
struct OperandEntry {
  const tables::ModOp* op;
  bool indirect;
  ValueStyle style;
  unsigned char base;  // the operand byte counts from here
};

using OperandEntries = std::vector<OperandEntry>;

// How the first byte of an instruction says to read it.
enum class Reading : std::uint8_t {
  kNothing,           // no instruction starts with this byte
  kNumber,            // digits up to a 00 or another byte
  kFixed,             // the byte alone is the instruction
  kShortNumber,       // the byte holds the operand (LBL 01 to 0F, STO 30 to 3F)
  kOperandByte,       // one operand byte follows
  kTwoByteFunction,   // A0 to A7 and a second byte
  kGlobalLabelOrEnd,  // C0 to CD
  kLongGotoXeq,       // D0 to EF: a cached jump distance, then the label
  kNameAfterLength,   // GTO and XEQ with a name: the length byte follows
  kSequence,          // F0 to FF: a length byte
};

struct FirstByte {
  Reading reading = Reading::kNothing;
  const tables::FixedOp* fixed = nullptr;  // kFixed
  const tables::ModOp* op = nullptr;       // kShortNumber, kLongGotoXeq, kNameAfterLength
  const OperandEntries* forms = nullptr;   // kOperandByte
  unsigned char number = 0;                // kShortNumber
  bool trailingByte = false;               // kShortNumber: GTO's short form takes one more
};

class Index {
 public:
  static const Index& Get();

  const FirstByte& First(std::uint8_t byte) const { return first_[byte]; }
  // A0 to A7 and a second byte: the instruction, or null.
  const tables::FixedOp* TwoByteFunction(std::uint8_t first, std::uint8_t second) const {
    return twoByte_[(first - tables::bytecode::kTwoByteFirst) << 8 | second];
  }
  // C0 to CD, 00 and a third byte: the instruction without an operand (END),
  // or null.
  const tables::FixedOp* LabelRow(std::uint8_t first, std::uint8_t third) const {
    return labelRows_[(first - tables::bytecode::kGlobalFirst) << 8 | third];
  }
  // An instruction without an operand, or a form only read, by its bytes.
  const tables::FixedOp* Fixed(std::span<const std::uint8_t> bytes) const;
  // The operand forms led by these bytes, in table order; null for none.
  const OperandEntries* OperandForms(std::span<const std::uint8_t> lead) const;
  // The instruction whose name form has this lead after its length byte.
  const tables::ModOp* NamedForm(std::span<const std::uint8_t> lead, bool& indirect) const;
  // FIX, SCI and ENG 10 and 11 by their two bytes: the instruction, and 10 or 11.
  const tables::ModOp* TenOrEleven(std::span<const std::uint8_t> bytes, unsigned& number) const;
  // The instruction global labels read as.
  const tables::ModOp& GlobalLabel() const { return *globalLabel_; }
  // Whether A7 and this sub-byte wrap a shorter form, read as that form.
  bool WrapsAnotherForm(std::uint8_t subByte) const { return wrapsAnother_[subByte]; }

 private:
  Index();
  void IndexModOp(const tables::ModOp& op);
  void FillFirstBytes();
  std::optional<FirstByte> ByRange(std::uint8_t byte) const;
  void FillWrappedForms();

  // Keys are up to four bytes and their count, packed into one number.
  using Key = std::uint64_t;

  std::unordered_map<Key, const tables::FixedOp*> fixed_;
  std::unordered_map<Key, OperandEntries> operandForms_;
  std::unordered_map<Key, std::pair<const tables::ModOp*, bool>> namedForms_;
  std::unordered_map<Key, std::pair<const tables::ModOp*, unsigned>> tenEleven_;
  std::array<FirstByte, 256> first_{};
  std::array<const tables::FixedOp*, 8 * 256> twoByte_{};
  // Looked up for every global label before it reads as one.
  std::array<const tables::FixedOp*, 16 * 256> labelRows_{};
  // The two-byte keys above, looked up for every sequence, by their bytes:
  // Fn and the byte after it, and a name's lead byte.
  std::array<const OperandEntries*, 16 * 256> sequenceForms_{};
  std::array<std::pair<const tables::ModOp*, bool>, 256> oneByteNames_{};
  std::array<bool, 256> wrapsAnother_{};
  const tables::ModOp* globalLabel_ = nullptr;
};

}  // namespace orrikey::decoder::detail
