// Quoted texts: whole-line texts, and the names that operands quote, as
// calculator characters after a length byte.

#include "encoder/LineEncoders.h"
#include "encoder/LineForms.h"
#include "tables/ByteCode.h"
#include "text/QuotedText.h"

#include <array>

namespace orrikey::encoder {

namespace bytecode = tables::bytecode;

// Names may be empty only where the calculator reads the bytes back as that
// line: the append text, the wide forms and ASSIGN, whose empty name clears
// a key. LBL, GTO and XEQ keep theirs as programs have always held them.
bool TakesEmptyName(const tables::NameForm& form, const tables::ModOp& op) {
  const bool append = form.lead.size() == 1 && static_cast<std::uint8_t>(form.lead[0]) == bytecode::kAppend;
  return append || form.lead.size() == 2 || op.operand == tables::OperandKind::kLabel ||
         op.operand == tables::OperandKind::kKeyAssignment;
}

// A first character of code kAppend or above would make the calculator read
// the text as another instruction (an append, or a named operand).
bool ReadsAsInstruction(std::string_view text) {
  return text::ReadQuotedChar(text).code >= bytecode::kAppend;
}

size_t NameRoom(const tables::ModOp* op, const tables::NameForm* form) {
  const bool keyed = op && (op->operand == tables::OperandKind::kKeyLabel ||
                            op->operand == tables::OperandKind::kKeyAssignment);
  return kLongestSequence - (form ? form->lead.size() : 0) - (keyed ? 1 : 0);
}

std::optional<unsigned> TrailingKey(std::string_view text) {
  if (text.size() < 2 || !IsDigit(text[text.size() - 2]) || !IsDigit(text.back())) return std::nullopt;
  return (text[text.size() - 2] - '0') * 10u + (text.back() - '0');
}

std::optional<AssembledLine> EncodeText(std::string_view line) {
  if (line.front() != '"') return std::nullopt;
  // The zero-length text, a no-op that calculators keep in programs.
  if (line == "\"\"") return Encoded({bytecode::kCounted});
  if (line.size() < 3 || line.back() != '"') return std::nullopt;
  if (ReadsAsInstruction(line.substr(1, line.size() - 2))) return Failed(EncodeError::kString);
  return EncodeQuotedText(line, nullptr, nullptr, "");
}

AssembledLine EncodeQuotedText(std::string_view quoted, const tables::ModOp* op, const tables::NameForm* form,
                               std::string_view name) {
  if (quoted.size() < 2) return Failed(EncodeError::kString);
  if (form && !form->exists) return Failed(EncodeError::kParameter);
  std::string_view text = quoted.substr(1, quoted.size() - 2);

  const bool isAssign = op && op->operand == tables::OperandKind::kKeyAssignment;
  const bool isKey = op && op->operand == tables::OperandKind::kKeyLabel;
  unsigned keyNumber = 0;
  if (isAssign) {
    const auto key = TrailingKey(text);
    if (!key || *key < kFirstAssignKey || *key > kLastAssignKey) return Failed(EncodeError::kParameter);
    keyNumber = *key;
    text.remove_suffix(2);
  }
  if (form && text.empty() && !TakesEmptyName(*form, *op)) return Failed(EncodeError::kParameter);

  // No sequence counts more bytes, so neither can its characters.
  std::array<std::uint8_t, kLongestSequence> characters;
  size_t count = 0;
  for (std::string_view rest = text; !rest.empty(); ++count) {
    if (count == characters.size()) return Failed(EncodeError::kString);
    const text::QuotedChar c = text::ReadQuotedChar(rest);
    characters[count] = c.code;
    rest.remove_prefix(c.length);
  }
  const size_t room = NameRoom(op, form);
  if (count > room) return Failed(EncodeError::kString);
  // The length byte counts the lead bytes and the key's byte too.
  const size_t length = kLongestSequence - room + count;

  AssembledLine result;
  LineBytes& bytes = result.bytes;
  if (op && op->definesLabel) bytes = {bytecode::kGlobalLabel, bytecode::kGlobalSecond};
  if (form) bytes.append(form->before);
  bytes.push_back(static_cast<std::uint8_t>(bytecode::kCounted + length));
  if (form) bytes.append(form->lead);
  if (isKey) bytes.push_back(KeyNumber(name, *op));
  bytes.append(std::span(characters.data(), count));
  if (isAssign) bytes.push_back(static_cast<std::uint8_t>(keyNumber - 1));
  return result;
}

}  // namespace orrikey::encoder
