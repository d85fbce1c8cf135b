#include "encoder/Encoder.h"
#include "encoder/Pattern.h"
#include "tables/Tables.h"

namespace orrikey {
namespace {

// Each argument form finds its operand at the end of the line with a first
// pattern; the form applies only when the instruction name followed by that
// match is the whole line. A second pattern then picks out the operand.
//
// A quoted operand may be empty: programs hold empty append texts and
// ASSIGN "" TO nn, and the decoder writes them with "".
struct FormPatterns {
  Pattern number{"\\s\\d{2}$"};
  Pattern sizeNumber{"(\\s\\d{1,4}){1}$"};
  Pattern numberOperand{"(\\d{1,4})$"};
  Pattern stack{"\\sST\\s[TZYXL]$"};
  Pattern stackOperand{"\\s[TZYXL]$"};
  Pattern quoted{"\\s(\\\"([\\W\\w]*)\\\")"};
  Pattern label{"\\s[A-Ja-e]{1}$"};
  Pattern labelOperand{"[A-Ja-e]{1}$"};
  Pattern indirectNumber{"\\sIND\\s\\d{2}$"};
  Pattern indirectNumberOperand{"\\d{2}$"};
  Pattern indirectQuoted{"\\sIND\\s(\\\"([\\W\\w]*)\\\")"};
  Pattern indirectStack{"\\sIND\\sST\\s[TZYXL]$"};
  Pattern key{"^KEY\\s[1-9]{1}\\s(GTO|XEQ)"};
  Pattern assign{"^ASSIGN\\s(\\\"([\\W\\w]*)\\\")\\sTO\\s\\d{2}$"};
};

const FormPatterns& Forms() {
  static const FormPatterns forms;
  return forms;
}

// The form's operand text when the form applies to the line.
std::optional<std::string_view> FormMatch(const Pattern& first, std::string_view line,
                                          std::string_view name) {
  const auto match = first.Search(line);
  if (!match || line.size() != name.size() + match->size() || !line.starts_with(name))
    return std::nullopt;
  return match;
}

std::optional<std::string_view> TemplateOf(std::string_view word) {
  for (std::string_view row : tables::ModOpTxt()) {
    const size_t comma = row.find(',');
    if (row.substr(0, comma) == word) return row.substr(comma + 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> GetModOp(std::string_view line) {
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
  const auto templ = TemplateOf(word);
  if (!templ) return std::nullopt;
  return EncodeArgument(line, name, *templ);
}

std::string EncodeArgument(std::string_view line, std::string_view name,
                           std::string_view templ) {
  const FormPatterns& forms = Forms();
  constexpr int kIndirect = 0;
  constexpr int kDirect = 22;

  const Pattern& numberForm = name == "SIZE" ? forms.sizeNumber : forms.number;
  if (FormMatch(numberForm, line, name))
    return EncodeNumberOperand(*forms.numberOperand.Search(line), templ, name, kDirect);

  if (FormMatch(forms.stack, line, name))
    return EncodeStackOperand(*forms.stackOperand.Search(line), templ, kDirect, 0);

  if (const auto quoted = FormMatch(forms.quoted, line, name))
    return EncodeQuotedText(*quoted, templ.substr(24, 2), name, 1);

  const bool takesLabels =
      name == "GTO" || name == "XEQ" || name == "LBL" || name.starts_with("KEY");
  if (takesLabels && FormMatch(forms.label, line, name))
    return EncodeLocalLabel(forms.labelOperand.Search(line)->front(), templ, name, kDirect);

  if (FormMatch(forms.indirectNumber, line, name))
    return EncodeNumberOperand(*forms.indirectNumberOperand.Search(line), templ, name,
                               kIndirect);

  if (FormMatch(forms.indirectQuoted, line, name))
    return EncodeQuotedText(*forms.quoted.Search(line), templ.substr(2, 2), name, 1);

  if (FormMatch(forms.indirectStack, line, name)) {
    const int keyDigit = line.starts_with("KEY") ? line[4] - '0' : 0;
    return EncodeStackOperand(*forms.stackOperand.Search(line), templ, kIndirect, keyDigit);
  }
  return std::string(kErrPar);
}

}  // namespace orrikey
