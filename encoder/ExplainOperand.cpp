// The operand of a known instruction, read as EncodeArgument reads it: the
// form it has, and why that form fails, or why it has none.

#include <algorithm>
#include <optional>
#include <string>

#include "encoder/Explaining.h"
#include "encoder/LineEncoders.h"
#include "encoder/LineForms.h"

namespace orrikey::encoder {
namespace {

using tables::OperandKind;

bool TakesIndirect(const tables::ModOp& op) {
  const tables::OperandForms& forms = op.indirect;
  return forms.name.exists || forms.stack.exists || forms.number.exists || forms.shortNumber.exists;
}

// What a number operand stands for, as far as the tables tell.
std::string_view NumberNoun(const tables::ModOp& op, bool indirect) {
  if (indirect) return "register";
  if (op.takesLabels()) return "label";
  if (op.operand == OperandKind::kWord) return "size";
  if (op.operand == OperandKind::kPlainNumber) return "number";
  if (!op.ten.empty()) return "digit count";
  // Instructions that take a variable's name take a register's number.
  return op.direct.name.exists ? "register" : "operand";
}

// The first number with more digits than op writes.
unsigned NumberLimit(const tables::ModOp& op, bool indirect) {
  unsigned limit = 1;
  for (size_t i = 0; i < NumberDigits(op, indirect).most; ++i) limit *= 10;
  return limit;
}

// The numbers op takes, as runs written with the fewest digits: "00 to 111,
// 117 to 127"; empty when it takes none.
std::string NumberRanges(const tables::ModOp& op, bool indirect) {
  const DigitCount digits = NumberDigits(op, indirect);
  const unsigned limit = NumberLimit(op, indirect);
  std::string ranges;
  for (unsigned n = 0; n < limit; ++n) {
    if (!TakesNumber(n, op, indirect)) continue;
    unsigned last = n;
    while (last + 1 < limit && TakesNumber(last + 1, op, indirect)) ++last;
    if (!ranges.empty()) ranges += ", ";
    ranges += Padded(n, digits.fewest);
    if (last > n) ranges += " to " + Padded(last, digits.fewest);
    n = last;
  }
  return ranges;
}

std::string LetterRange(std::string_view letters) {
  return std::string(1, letters.front()) + " to " + letters.back();
}

// The operand has a form that op lacks. `operand` is the whole operand,
// IND and all.
Fault NotTaken(std::string_view line, std::string_view operand, const tables::ModOp& op, bool indirect,
               std::string_view what, const std::string& who) {
  if (indirect && !TakesIndirect(op)) return Mark(line, operand.substr(0, 3), who + " does not take IND");
  return Mark(line, operand, who + " does not take " + (indirect ? "IND with " : "") + std::string(what));
}

Fault ExplainNumber(std::string_view line, std::string_view operand, std::string_view digits,
                    const tables::ModOp& op, bool indirect, const std::string& who) {
  const std::string ranges = NumberRanges(op, indirect);
  if (ranges.empty()) return NotTaken(line, operand, op, indirect, "a number", who);
  const DigitCount count = NumberDigits(op, indirect);
  const unsigned n = DecimalValue(digits);
  const std::string number = std::string(NumberNoun(op, indirect)) + " " + Shown(digits);
  if (digits.size() < count.fewest)
    return Mark(
        line, digits,
        number + " needs " + std::to_string(count.fewest) + " digits (" + Padded(n, count.fewest) + ")");
  if (digits.size() > count.most && n < NumberLimit(op, indirect) && TakesNumber(n, op, indirect))
    return Mark(line, digits, number + " has more than " + std::to_string(count.most) + " digits");
  std::string allowed = ranges;
  if (!indirect && op.takesLabels())
    allowed +=
        ", " + LetterRange(tables::kUpperLabelLetters) + ", " + LetterRange(tables::kLowerLabelLetters);
  return Mark(line, digits, number + " is out of range (" + allowed + ")");
}

std::string AssignKeys() {
  return " (" + Padded(kFirstAssignKey, 2) + " to " + Padded(kLastAssignKey, 2) + ")";
}

// ASSIGN's key: after TO, or the last two characters of the name without it.
std::optional<Fault> ExplainAssignKey(std::string_view line, std::string_view operand, std::string_view key,
                                      const tables::ModOp& op, const std::string& who) {
  const auto number = TrailingKey(key);
  if (!number)
    return Mark(line, operand, who + " needs a key number after " + std::string(op.keyWord) + AssignKeys());
  if (*number < kFirstAssignKey || *number > kLastAssignKey)
    return Mark(line, key, "key " + std::string(key) + " is out of range" + AssignKeys());
  return std::nullopt;
}

// `quoted` is the name with its quotes; `key` ASSIGN's key after TO, if any.
Fault ExplainName(std::string_view line, std::string_view operand, std::string_view quoted,
                  std::string_view key, const tables::ModOp& op, bool indirect, EncodeError error,
                  const std::string& who) {
  const tables::NameForm& form = indirect ? op.indirect.name : op.direct.name;
  if (!form.exists) return NotTaken(line, operand, op, indirect, "a name", who);
  std::string_view name = quoted.substr(1, quoted.size() - 2);
  if (op.operand == OperandKind::kKeyAssignment) {
    const bool keyInName = key.empty();
    if (keyInName) key = name.substr(name.size() - std::min<size_t>(name.size(), 2));
    if (auto fault = ExplainAssignKey(line, operand, key, op, who)) return *fault;
    if (keyInName) name.remove_suffix(key.size());
  }
  if (error == EncodeError::kString)
    return Mark(line, quoted, "name longer than " + std::to_string(NameRoom(&op, &form)) + " characters");
  if (name.empty() && !TakesEmptyName(form, op))
    return Mark(line, quoted, who + " does not take an empty name");
  return Mark(line, quoted, who + " does not take " + Quoted(quoted));
}

// ASSIGN whose operand is not "NAME" TO nn: most often a key of other than
// two digits.
Fault ExplainAssignForm(std::string_view line, std::string_view operand, const tables::ModOp& op,
                        const std::string& who) {
  const size_t blank = operand.find_last_of(" \t");
  if (operand.front() == '"' && blank != std::string_view::npos &&
      operand.substr(0, blank).ends_with(op.keyWord)) {
    const std::string_view key = operand.substr(blank + 1);
    if (!key.empty() && key.size() != 2 && std::all_of(key.begin(), key.end(), IsDigit)) {
      const unsigned n = DecimalValue(key);
      if (key.size() < 2)
        return Mark(line, key, "key " + std::string(key) + " needs 2 digits (" + Padded(n, 2) + ")");
      if (n >= kFirstAssignKey && n <= kLastAssignKey)
        return Mark(line, key, "key " + Shown(key) + " has more than 2 digits");
      return Mark(line, key, "key " + Shown(key) + " is out of range" + AssignKeys());
    }
  }
  return Mark(line, operand, who + " needs a quoted name, " + std::string(op.keyWord) + " and a key number");
}

// An operand of no form at all.
Fault ExplainUnread(std::string_view line, std::string_view name, const tables::ModOp& op,
                    const std::string& who) {
  if (line.size() == name.size()) return Mark(line, name, who + " needs an operand");
  const std::string_view rest = line.substr(name.size());
  if (!IsBlank(rest.front())) return Mark(line, rest, "no blank between " + who + " and its operand");
  const std::string_view operand = rest.substr(1);
  if (operand.empty()) return Mark(line, name, who + " needs an operand");
  if (IsBlank(operand.front())) return Mark(line, LeadingBlanks(operand), "more than one blank after " + who);
  if (op.operand == OperandKind::kKeyAssignment) return ExplainAssignForm(line, operand, op, who);

  const bool indirect = operand == "IND" || (operand.starts_with("IND") && IsBlank(operand[3]));
  if (indirect && !TakesIndirect(op)) return Mark(line, operand.substr(0, 3), who + " does not take IND");
  if (operand == "IND") return Mark(line, operand, "IND needs an operand");
  const std::string_view text = indirect ? operand.substr(4) : operand;
  if (text.empty()) return Mark(line, operand, who + " does not take " + Quoted(operand));
  if (IsBlank(text.front())) return Mark(line, LeadingBlanks(text), "more than one blank after IND");
  if (std::all_of(text.begin(), text.end(), IsDigit))
    return ExplainNumber(line, operand, text, op, indirect, who);
  if (text.front() == '"') return ExplainUnclosed(line, text, "name");
  if (text.size() == 4 && text.starts_with("ST") && IsBlank(text[2]))
    return Mark(line, text, Shown(text) + " is not a stack register");
  return Mark(line, operand, who + " does not take " + Quoted(operand));
}

}  // namespace

Fault ExplainOperand(std::string_view line, std::string_view name, const tables::ModOp& op,
                     EncodeError error) {
  const std::string who = ShownName(name);
  const std::string_view operand = OperandOf(line, name);
  if (op.operand == OperandKind::kKeyAssignment)
    if (const auto assignment = ReadKeyAssignment(line, op))
      return ExplainName(line, operand, assignment->quoted, assignment->key, op, false, error, who);
  const Operand read = ReadOperand(line, name, op);
  switch (read.shape) {
    case Operand::Shape::kNumber: return ExplainNumber(line, operand, read.text, op, read.indirect, who);
    case Operand::Shape::kStack: return NotTaken(line, operand, op, read.indirect, "a stack register", who);
    case Operand::Shape::kName:
      return ExplainName(line, operand, read.text, {}, op, read.indirect, error, who);
    case Operand::Shape::kLetter: break;
    case Operand::Shape::kNone: return ExplainUnread(line, name, op, who);
  }
  return Mark(line, operand.empty() ? line : operand, who + " does not take " + Quoted(operand));
}

}  // namespace orrikey::encoder
