// Lines of an instruction with an operand: the instruction found by its
// name, or by the key word of KEY n GTO and ASSIGN, and its operand read
// into the form it has, which the operand encoders then write.

#include <algorithm>
#include <vector>

#include "encoder/LineEncoders.h"
#include "encoder/LineForms.h"
#include "encoder/NameIndex.h"

namespace orrikey::encoder {
namespace {

// Each argument form is the instruction name, a blank and the operand, and
// applies only when that is the whole line; the forms are byte tests, as
// every line with an operand goes through them.
//
// A quoted operand may be empty: programs hold empty append texts and the
// wide forms with an empty name, and the decoder writes them with "".

bool IsNumber(std::string_view operand, DigitCount digits) {
  return operand.size() >= digits.fewest && operand.size() <= digits.most &&
         std::all_of(operand.begin(), operand.end(), IsDigit);
}

bool IsStack(std::string_view operand) {
  return operand.size() == 4 && operand.starts_with("ST") && IsBlank(operand[2]) &&
         tables::kStackLetters.find(operand[3]) != std::string_view::npos;
}

bool IsQuoted(std::string_view operand) {
  return operand.size() >= 2 && operand.front() == '"' && operand.back() == '"';
}

bool IsLabelLetter(std::string_view operand) {
  return operand.size() == 1 && (tables::kUpperLabelLetters.find(operand[0]) != std::string_view::npos ||
                                 tables::kLowerLabelLetters.find(operand[0]) != std::string_view::npos);
}

unsigned Decimal(std::string_view digits) {
  unsigned n = 0;
  for (char digit : digits) n = n * 10 + static_cast<unsigned>(digit - '0');
  return n;
}

// The instructions whose lines hold a key number: KEY n GTO, ASSIGN … TO nn.
std::vector<const tables::ModOp*> KeyedOps() {
  std::vector<const tables::ModOp*> keyed;
  for (const tables::ModOp& op : tables::ModOps())
    if (!op.keyWord.empty()) keyed.push_back(&op);
  return keyed;
}

}  // namespace

const tables::ModOp* FindModOp(std::string_view word) {
  static const NameIndex<tables::ModOp> index(tables::ModOps());
  return index.Find(word);
}

std::string_view OperandOf(std::string_view line, std::string_view name) {
  if (line.size() <= name.size() + 1 || !line.starts_with(name) || !IsBlank(line[name.size()])) return {};
  return line.substr(name.size() + 1);
}

DigitCount NumberDigits(const tables::ModOp& op, bool indirect) {
  if (indirect) return {2, 3};
  const size_t most = op.operand == tables::OperandKind::kWord ? 4 : 3;
  const bool plain =
      op.operand == tables::OperandKind::kWord || op.operand == tables::OperandKind::kPlainNumber;
  return {plain ? 1u : 2u, most};  // plain numbers need no leading zero
}

Operand ReadOperand(std::string_view line, std::string_view name, const tables::ModOp& op) {
  using Shape = Operand::Shape;
  const std::string_view operand = OperandOf(line, name);
  if (IsNumber(operand, NumberDigits(op, false))) return {Shape::kNumber, false, operand};
  if (IsStack(operand)) return {Shape::kStack, false, operand};
  if (IsQuoted(operand)) return {Shape::kName, false, operand};
  if (op.takesLabels() && IsLabelLetter(operand)) return {Shape::kLetter, false, operand};

  const std::string_view indirect = OperandOf(operand, "IND");
  if (IsNumber(indirect, NumberDigits(op, true))) return {Shape::kNumber, true, indirect};
  if (IsQuoted(indirect)) return {Shape::kName, true, indirect};
  if (IsStack(indirect)) return {Shape::kStack, true, indirect};
  return {Shape::kNone, false, operand};
}

// The key word, a blank, the key 1 to 9, a blank and the rest of the name,
// as the calculator spells them.
std::optional<std::string_view> KeyLabelName(std::string_view line, const tables::ModOp& op) {
  const std::string_view after = op.name.substr(op.keyWord.size() + 1);
  const size_t at = op.keyWord.size();
  if (!line.starts_with(op.keyWord) || line.size() < at + 3 + after.size() || !IsBlank(line[at]) ||
      line[at + 1] < kFirstKeyDigit || line[at + 1] > kLastKeyDigit || !IsBlank(line[at + 2]) ||
      line.substr(at + 3, after.size()) != after)
    return std::nullopt;
  return line.substr(0, at + 3 + after.size());
}

// The name runs from the first quote to the one before " TO nn", so names
// holding '" TO' and tabs keep their bytes.
std::optional<KeyAssignment> ReadKeyAssignment(std::string_view line, const tables::ModOp& op) {
  const size_t open = op.name.size() + 1;
  const size_t tail = op.keyWord.size() + 5;  // the quote, blanks, the word and two digits
  if (line.size() < open + 1 + tail || !line.starts_with(op.name) || !IsBlank(line[open - 1]) ||
      line[open] != '"')
    return std::nullopt;
  const size_t close = line.size() - tail;
  const size_t digits = line.size() - 2;
  if (line[close] != '"' || !IsBlank(line[close + 1]) ||
      line.substr(close + 2, op.keyWord.size()) != op.keyWord || !IsBlank(line[digits - 1]) ||
      !IsDigit(line[digits]) || !IsDigit(line[digits + 1]))
    return std::nullopt;
  return KeyAssignment{line.substr(open, close + 1 - open), line.substr(digits)};
}

std::optional<AssembledLine> EncodeOperandInstruction(std::string_view line) {
  static const std::vector<const tables::ModOp*> keyed = KeyedOps();
  const tables::ModOp* op = nullptr;
  std::string_view name;
  std::string rewritten;
  for (const tables::ModOp* candidate : keyed) {
    // Both forms start with the instruction's name, which the first byte
    // mostly tells apart.
    if (!line.starts_with(candidate->name.front())) continue;
    if (candidate->operand == tables::OperandKind::kKeyLabel) {
      if (const auto keyName = KeyLabelName(line, *candidate)) {
        op = candidate;
        name = *keyName;
        break;
      }
    } else if (const auto assignment = ReadKeyAssignment(line, *candidate)) {
      // Encoded as the quoted text "AB05": the key follows the name.
      const std::string_view quoted = assignment->quoted;
      rewritten.append(line.substr(0, quoted.data() + quoted.size() - 1 - line.data()));
      rewritten.append(assignment->key);
      rewritten.push_back('"');
      line = rewritten;
      break;
    }
  }
  if (!op) {
    const size_t blank = line.find(' ');
    name = blank == std::string_view::npos ? std::string_view() : line.substr(0, blank);
    op = FindModOp(name);
  }
  if (!op) return std::nullopt;
  AssembledLine assembled = EncodeArgument(line, name, *op);
  assembled.instruction = op;
  return assembled;
}

AssembledLine EncodeArgument(std::string_view line, std::string_view name, const tables::ModOp& op) {
  const Operand operand = ReadOperand(line, name, op);
  switch (operand.shape) {
    case Operand::Shape::kNumber:
      return EncodeNumberOperand(Decimal(operand.text), op, name, operand.indirect);
    case Operand::Shape::kStack: return EncodeStackOperand(operand.text.back(), op, name, operand.indirect);
    case Operand::Shape::kName:
      return EncodeQuotedText(operand.text, &op, operand.indirect ? &op.indirect.name : &op.direct.name,
                              name);
    case Operand::Shape::kLetter: return EncodeLocalLabel(operand.text.front(), op, name);
    case Operand::Shape::kNone: break;
  }
  return Failed(EncodeError::kParameter);
}

}  // namespace orrikey::encoder
