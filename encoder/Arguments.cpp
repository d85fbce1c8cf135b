#include <algorithm>
#include <vector>

#include "encoder/LineEncoders.h"
#include "encoder/NameIndex.h"

namespace orrikey::encoder {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Each argument form is the instruction name, a blank and the operand, and
// applies only when that is the whole line; the forms are byte tests, as
// every line with an operand goes through them.
//
// A quoted operand may be empty: programs hold empty append texts and the
// wide forms with an empty name, and the decoder writes them with "".

// What follows the name and a blank; empty when the line does not go on so.
std::string_view OperandOf(std::string_view line, std::string_view name) {
  if (line.size() <= name.size() + 1 || !line.starts_with(name) || !IsBlank(line[name.size()]))
    return {};
  return line.substr(name.size() + 1);
}

bool IsNumber(std::string_view operand, size_t fewest, size_t most) {
  return operand.size() >= fewest && operand.size() <= most &&
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

// The operand after "IND" and a blank; empty for a direct operand.
std::string_view IndirectOperand(std::string_view operand) { return OperandOf(operand, "IND"); }

// The number that ends the line.
unsigned TrailingNumber(std::string_view line) {
  size_t at = line.size();
  while (at > 0 && IsDigit(line[at - 1])) --at;
  unsigned n = 0;
  for (; at < line.size(); ++at) n = n * 10 + static_cast<unsigned>(line[at] - '0');
  return n;
}

const tables::ModOp* FindModOp(std::string_view word) {
  static const NameIndex<tables::ModOp> index(tables::ModOps());
  return index.Find(word);
}

// The instructions whose lines hold a key number: KEY n GTO, ASSIGN … TO nn.
std::vector<const tables::ModOp*> KeyedOps() {
  std::vector<const tables::ModOp*> keyed;
  for (const tables::ModOp& op : tables::ModOps())
    if (!op.keyWord.empty()) keyed.push_back(&op);
  return keyed;
}

// "KEY 3 GTO" as the line starts: the key word, a blank, the key 1 to 9, a
// blank and the rest of the name, as the calculator spells them.
std::optional<std::string_view> KeyLabelName(std::string_view line, const tables::ModOp& op) {
  const std::string_view after = op.name.substr(op.keyWord.size() + 1);
  const size_t at = op.keyWord.size();
  if (!line.starts_with(op.keyWord) || line.size() < at + 3 + after.size() || !IsBlank(line[at]) ||
      line[at + 1] < '1' || line[at + 1] > '9' || !IsBlank(line[at + 2]) ||
      line.substr(at + 3, after.size()) != after)
    return std::nullopt;
  return line.substr(0, at + 3 + after.size());
}

// ASSIGN "AB" TO 05 is encoded as the quoted text "AB05": the name runs from
// the first quote to the one before " TO nn", so names holding '" TO' and
// tabs keep their bytes.
std::optional<std::string> KeyAssignmentText(std::string_view line, const tables::ModOp& op) {
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
  return std::string(line.substr(0, close)) + std::string(line.substr(digits)) + "\"";
}

}  // namespace

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
    } else if (auto text = KeyAssignmentText(line, *candidate)) {
      rewritten = std::move(*text);
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
  const std::string_view operand = OperandOf(line, name);
  const size_t most = op.operand == tables::OperandKind::kWord ? 4 : 3;
  const size_t fewest = op.operand == tables::OperandKind::kWord ||
                                op.operand == tables::OperandKind::kPlainNumber
                            ? 1  // no leading zero needed
                            : 2;
  if (IsNumber(operand, fewest, most))
    return EncodeNumberOperand(TrailingNumber(line), op, name, false);
  if (IsStack(operand)) return EncodeStackOperand(line.back(), op, name, false);
  if (IsQuoted(operand)) return EncodeQuotedText(operand, &op, &op.direct.name, name);
  if (TakesLabels(op) && IsLabelLetter(operand)) return EncodeLocalLabel(line.back(), op, name);

  const std::string_view indirect = IndirectOperand(operand);
  if (IsNumber(indirect, 2, 3)) return EncodeNumberOperand(TrailingNumber(line), op, name, true);
  if (IsQuoted(indirect)) return EncodeQuotedText(indirect, &op, &op.indirect.name, name);
  if (IsStack(indirect)) return EncodeStackOperand(line.back(), op, name, true);
  return Failed(EncodeError::kParameter);
}

}  // namespace orrikey::encoder
