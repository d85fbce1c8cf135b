#include <unordered_map>
#include <vector>

#include "encoder/LineEncoders.h"
#include "text/Pattern.h"

namespace orrikey::encoder {
namespace {

// Each argument form finds its operand at the end of the line with a
// pattern; the form applies only when the instruction name followed by that
// match is the whole line.
//
// A quoted operand may be empty: programs hold empty append texts and the
// wide forms with an empty name, and the decoder writes them with "".
struct FormPatterns {
  text::Pattern number{"\\s\\d{2,3}$"};
  text::Pattern plainNumber{"\\s\\d{1,3}$"};  // no leading zero needed
  text::Pattern sizeNumber{"\\s\\d{1,4}$"};
  text::Pattern stack{"\\sST\\s[TZYXL]$"};
  text::Pattern quoted{"\\s(\\\"([\\W\\w]*)\\\")"};
  text::Pattern label{"\\s[A-Ja-e]$"};
  text::Pattern indirectNumber{"\\sIND\\s\\d{2,3}$"};
  text::Pattern indirectQuoted{"\\sIND\\s(\\\"([\\W\\w]*)\\\")"};
  text::Pattern indirectStack{"\\sIND\\sST\\s[TZYXL]$"};
};

const FormPatterns& Forms() {
  static const FormPatterns forms;
  return forms;
}

// The form's operand text when the form applies to the line.
std::optional<std::string_view> FormMatch(const text::Pattern& first, std::string_view line,
                                          std::string_view name) {
  const auto match = first.Search(line);
  if (!match || line.size() != name.size() + match->size() || !line.starts_with(name))
    return std::nullopt;
  return match;
}

// The number that ends the line.
unsigned TrailingNumber(std::string_view line) {
  unsigned n = 0;
  for (size_t at = line.find_last_not_of("0123456789") + 1; at < line.size(); ++at)
    n = n * 10 + static_cast<unsigned>(line[at] - '0');
  return n;
}

// Every line is looked up here, so the table is hashed once; the first row
// of a name keeps it.
const tables::ModOp* FindModOp(std::string_view word) {
  static const auto index = [] {
    std::unordered_map<std::string_view, const tables::ModOp*> byName;
    for (const tables::ModOp& op : tables::ModOps()) byName.try_emplace(op.name, &op);
    return byName;
  }();
  const auto found = index.find(word);
  return found == index.end() ? nullptr : found->second;
}

// The instructions whose lines hold a key number: KEY n GTO, ASSIGN … TO nn.
std::vector<const tables::ModOp*> KeyedOps() {
  std::vector<const tables::ModOp*> keyed;
  for (const tables::ModOp& op : tables::ModOps())
    if (!op.keyWord.empty()) keyed.push_back(&op);
  return keyed;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
  const FormPatterns& forms = Forms();

  const text::Pattern& numberForm = op.operand == tables::OperandKind::kWord ? forms.sizeNumber
                              : op.operand == tables::OperandKind::kPlainNumber ? forms.plainNumber
                                                         : forms.number;
  if (FormMatch(numberForm, line, name))
    return EncodeNumberOperand(TrailingNumber(line), op, name, false);

  if (FormMatch(forms.stack, line, name)) return EncodeStackOperand(line.back(), op, name, false);

  if (const auto quoted = FormMatch(forms.quoted, line, name))
    return EncodeQuotedText(quoted->substr(1), &op, &op.direct.name, name);

  if (TakesLabels(op) && FormMatch(forms.label, line, name))
    return EncodeLocalLabel(line.back(), op, name);

  if (FormMatch(forms.indirectNumber, line, name))
    return EncodeNumberOperand(TrailingNumber(line), op, name, true);

  if (FormMatch(forms.indirectQuoted, line, name))
    return EncodeQuotedText(*forms.quoted.Search(line, 1), &op, &op.indirect.name, name);

  if (FormMatch(forms.indirectStack, line, name))
    return EncodeStackOperand(line.back(), op, name, true);
  return Failed(EncodeError::kParameter);
}

}  // namespace orrikey::encoder
