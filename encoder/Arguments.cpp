#include <algorithm>

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
  text::Pattern key{"^KEY\\s[1-9]\\s(GTO|XEQ)"};
  text::Pattern assign{"^ASSIGN\\s(\\\"([\\W\\w]*)\\\")\\sTO\\s\\d{2}$"};
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

const tables::ModOp* FindModOp(std::string_view word) {
  for (const tables::ModOp& op : tables::ModOps())
    if (op.name == word) return &op;
  return nullptr;
}

bool IsPlainNumberOp(std::string_view word) {
  const auto names = tables::PlainNumberOps();
  return std::find(names.begin(), names.end(), word) != names.end();
}

}  // namespace

std::optional<AssembledLine> EncodeOperandInstruction(std::string_view line) {
  const FormPatterns& forms = Forms();
  std::string word;
  std::string name;
  std::string rewritten;
  if (line.starts_with("KEY")) {
    if (const auto key = forms.key.Search(line)) {
      word = std::string(key->substr(0, 3)) + " " + std::string(key->substr(key->size() - 3));
      name = std::string(*key);
    }
  }
  if (line.starts_with("ASSIGN")) {
    // ASSIGN "AB" TO 05 is encoded as the quoted text "AB05": built from the
    // pattern's own groups, so names holding '" TO' and tabs keep their bytes.
    if (const auto quotedName = forms.assign.Search(line, 1)) {
      rewritten = std::string(line.substr(0, 7)) +
                  std::string(quotedName->substr(0, quotedName->size() - 1)) +
                  std::string(line.substr(line.size() - 2)) + "\"";
      line = rewritten;
    }
  }
  if (name.empty()) {
    const size_t blank = line.find(' ');
    word = blank == std::string_view::npos ? std::string() : std::string(line.substr(0, blank));
    name = word;
  }
  const tables::ModOp* op = FindModOp(word);
  if (!op) return std::nullopt;
  AssembledLine assembled = EncodeArgument(line, name, *op);
  assembled.instruction = op;
  return assembled;
}

AssembledLine EncodeArgument(std::string_view line, std::string_view name, const tables::ModOp& op) {
  const FormPatterns& forms = Forms();

  const text::Pattern& numberForm = op.operand == tables::OperandKind::kWord ? forms.sizeNumber
                              : IsPlainNumberOp(op.name) ? forms.plainNumber
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
