// The bytes of operands that are a number, a stack register or a local
// label letter: the form's lead bytes, then one byte counted from its base.

#include "encoder/LineEncoders.h"
#include "encoder/LineForms.h"
#include "tables/ByteCode.h"

namespace orrikey::encoder {
namespace {

using tables::kLowerLabelBase, tables::kLowerLabelLetters, tables::kUpperLabelBase,
    tables::kUpperLabelLetters;
using tables::kStackBase, tables::kStackLetters;

// From kIndirect up, an operand byte names its register indirectly.
constexpr unsigned kLargestNumber = tables::bytecode::kIndirect - 1;

bool IsStackValue(unsigned n) { return n - kStackBase < kStackLetters.size(); }

// The bytes of letter labels are no label numbers.
bool IsLetterValue(unsigned n) {
  return n - kUpperLabelBase < kUpperLabelLetters.size() || n - kLowerLabelBase < kLowerLabelLetters.size();
}

// The bytes that lead the operand, and the key number of a key assignment.
AssembledLine Lead(std::string_view lead, const tables::ModOp& op, std::string_view name) {
  AssembledLine line;
  line.bytes.append(lead);
  if (op.operand == tables::OperandKind::kKeyLabel) line.bytes.push_back(KeyNumber(name, op));
  return line;
}

AssembledLine Encode(const tables::OperandForm& form, const tables::ModOp& op, std::string_view name,
                     unsigned value) {
  AssembledLine line = Lead(form.lead, op, name);
  line.bytes.push_back(static_cast<std::uint8_t>(form.base + value));
  return line;
}

// GTO's short form: its record's lead is the zero byte that follows the
// operand's byte.
bool IsTrailingZero(const tables::OperandForm& form) { return form.lead == std::string_view("\0", 1); }

// A short form without lead bytes holds the number in its first byte's low
// digit, as far as that digit goes; GTO's writes a zero byte after it.
const tables::OperandForm& NumberForm(unsigned n, const tables::OperandForms& forms) {
  const tables::OperandForm& shortForm = forms.shortNumber;
  const bool inFirstByte = shortForm.lead.empty() || IsTrailingZero(shortForm);
  const unsigned shortLimit = inFirstByte ? 0xF - (shortForm.base & 0xF) : 15;
  return shortForm.exists && n <= shortLimit ? shortForm : forms.number;
}

}  // namespace

std::uint8_t KeyNumber(std::string_view name, const tables::ModOp& op) {
  return static_cast<std::uint8_t>(name[op.keyWord.size() + 1] - '0');
}

// Numbers go up to the byte 0x7F, but not to the stack registers' bytes nor,
// for labels, to the letters'; SIZE's word holds any four digits.
bool TakesNumber(unsigned n, const tables::ModOp& op, bool indirect) {
  if (!indirect && op.operand == tables::OperandKind::kWord) return true;
  if (!indirect && !op.ten.empty() && n >= 10) return n <= 11;
  const bool label = !indirect && op.takesLabels();
  if (n > kLargestNumber || IsStackValue(n) || (label && IsLetterValue(n))) return false;
  return NumberForm(n, indirect ? op.indirect : op.direct).exists;
}

AssembledLine EncodeNumberOperand(unsigned n, const tables::ModOp& op, std::string_view name, bool indirect) {
  if (!TakesNumber(n, op, indirect)) return Failed(EncodeError::kParameter);
  const tables::OperandForms& forms = indirect ? op.indirect : op.direct;
  if (!indirect && op.operand == tables::OperandKind::kWord) {
    AssembledLine size = Lead(forms.number.lead, op, name);
    // The word, high byte first.
    size.bytes.push_back(static_cast<std::uint8_t>(n >> 8));
    size.bytes.push_back(static_cast<std::uint8_t>(n));
    return size;
  }
  if (!indirect && !op.ten.empty() && n >= 10) {
    AssembledLine line;
    line.bytes.append(n == 10 ? op.ten : op.eleven);
    return line;
  }
  const tables::OperandForm& form = NumberForm(n, forms);
  if (&form == &forms.shortNumber && IsTrailingZero(form)) {
    AssembledLine line = Encoded({static_cast<std::uint8_t>(form.base + n)});
    line.bytes.append(form.lead);
    return line;
  }
  return Encode(form, op, name, n);
}

AssembledLine EncodeStackOperand(char letter, const tables::ModOp& op, std::string_view name, bool indirect) {
  const tables::OperandForm& form = (indirect ? op.indirect : op.direct).stack;
  const size_t index = kStackLetters.find(letter);
  if (!form.exists || index == std::string_view::npos) return Failed(EncodeError::kParameter);
  return Encode(form, op, name, static_cast<unsigned>(index));
}

AssembledLine EncodeLocalLabel(char letter, const tables::ModOp& op, std::string_view name) {
  AssembledLine line = Lead(op.direct.number.lead, op, name);
  const size_t lower = kLowerLabelLetters.find(letter);
  line.bytes.push_back(static_cast<std::uint8_t>(lower != std::string_view::npos
                                                     ? kLowerLabelBase + lower
                                                     : kUpperLabelBase + kUpperLabelLetters.find(letter)));
  return line;
}

}  // namespace orrikey::encoder
