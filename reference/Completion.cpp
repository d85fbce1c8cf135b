#include "reference/Completion.h"

#include "tables/Tables.h"
#include "text/CalculatorNames.h"
#include "text/Comment.h"
#include "text/Trim.h"

#include <algorithm>
#include <cctype>

namespace orrikey::reference {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
         });
}

// The instruction with an operand whose name the words before the operand
// spell, and what of the operand is typed already.
struct OperandSoFar {
  const tables::ModOp* op = nullptr;
  std::string_view typed;
};

OperandSoFar FindOperand(std::string_view typedHead) {
  std::string head(typedHead);
  if (const auto renaming = text::TableNameAt(head)) head.replace(0, renaming->replaced, renaming->name);
  OperandSoFar found;
  for (const tables::ModOp& op : tables::ModOps()) {
    const bool named =
        head.starts_with(op.name) && (head.size() == op.name.size() || head[op.name.size()] == ' ');
    if (named && (!found.op || op.name.size() > found.op->name.size()))
      found = {&op, text::Trim(typedHead.substr(typedHead.size() - (head.size() - op.name.size())))};
  }
  return found;
}

// Forms derived from others are read and written but not offered.
template <typename Form>
bool Offered(const Form& form) {
  return form.exists && !form.derived;
}

bool HasIndirect(const tables::ModOp& op) {
  return Offered(op.indirect.name) || Offered(op.indirect.stack) || Offered(op.indirect.number);
}

// The whole words that may stand where the operand has come to.
std::vector<std::string> OperandWords(const OperandSoFar& so, std::span<const std::string> labels) {
  const tables::ModOp& op = *so.op;
  std::vector<std::string> words;
  if (so.typed.empty()) {
    if (HasIndirect(op)) words.push_back("IND");
    if (Offered(op.direct.stack)) words.push_back("ST");
    if (op.operand == tables::OperandKind::kLabel || op.operand == tables::OperandKind::kKeyLabel)
      words.insert(words.end(), labels.begin(), labels.end());
  } else if (so.typed == "IND") {
    if (Offered(op.indirect.stack)) words.push_back("ST");
  } else if (so.typed == "ST" || so.typed == "IND ST") {
    for (const char letter : tables::kStackLetters) words.emplace_back(1, letter);
  } else if (op.operand == tables::OperandKind::kKeyAssignment && so.typed.size() > 1 &&
             so.typed.front() == '"' && so.typed.back() == '"') {
    words.emplace_back(op.keyWord);
  }
  return words;
}

// The name as its ASCII spellings write it, when it holds a glyph: X≤Y? as
// X<=Y?, Σ+ as SIGMA+ and SUM+, STO× as STO*.
std::vector<std::string> SpelledForms(std::string_view name) {
  std::vector<std::string> forms;
  for (const tables::TextPair& spelling : tables::AsciiNames())
    if (name == spelling.value) forms.emplace_back(spelling.key);
  for (const tables::TextPair& spelling : tables::AsciiSpellings())
    if (const size_t at = name.find(spelling.value); at != std::string_view::npos)
      forms.push_back(std::string(name).replace(at, spelling.value.size(), spelling.key));
  return forms;
}

// A key line names its instruction with the key's number inside the name:
// KEY 3 GTO is KEY GTO. The line as the name spells it, when it is one.
std::string AsNamed(std::string_view line) {
  const size_t word = line.find(' ');
  const size_t number = line.find(' ', word + 1);
  if (word == std::string_view::npos || number == std::string_view::npos) return std::string(line);
  const std::string_view digits = line.substr(word + 1, number - word - 1);
  const bool keyed = !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) {
    return c >= '0' && c <= '9';
  }) && std::any_of(tables::ModOps().begin(), tables::ModOps().end(), [&](const tables::ModOp& op) {
    return op.operand == tables::OperandKind::kKeyLabel && op.keyWord == line.substr(0, word);
  });
  return keyed ? std::string(line.substr(0, word)).append(line.substr(number)) : std::string(line);
}

}  // namespace

Completions CompletionsFor(std::string_view before, std::span<const std::string> labels) {
  Completions result;
  if (std::count(before.begin(), before.end(), '"') % 2 != 0 ||
      text::WithoutComment(before, text::Notation::kProgramText).size() != before.size())
    return result;
  const size_t blank = before.rfind(' ');
  result.start = blank == std::string_view::npos ? 0 : blank + 1;
  const std::string_view typed = before.substr(result.start);
  const std::string line = AsNamed(before.substr(std::min(before.find_first_not_of(' '), before.size())));
  const bool firstWord = line.size() == typed.size();
  // Names, some of several words, go on from the line as typed; a first
  // word typed in ASCII spellings or as the table names it completes to the
  // name program text writes.
  auto addName = [&](std::string_view tableName) {
    const auto renaming = text::CalculatorNameAt(tableName);
    const std::string_view name = renaming ? renaming->name : tableName;
    if (StartsWithIgnoringCase(name, line) && name.size() > line.size() - typed.size()) {
      result.words.emplace_back(name.substr(line.size() - typed.size()));
    } else if (firstWord) {
      std::vector<std::string> forms = SpelledForms(tableName);
      if (renaming) forms.emplace_back(tableName);
      if (std::any_of(forms.begin(), forms.end(),
                      [&](const std::string& form) { return StartsWithIgnoringCase(form, typed); }))
        result.words.emplace_back(name);
    }
  };
  for (const tables::FixedOp& op : tables::FixedOps()) addName(op.name);
  for (const tables::TextPair& alias : tables::Aliases()) addName(alias.key);
  for (const tables::ModOp& op : tables::ModOps()) {
    const bool keyed = op.operand == tables::OperandKind::kKeyLabel;
    if (keyed && firstWord && StartsWithIgnoringCase(op.keyWord, typed))
      result.words.emplace_back(op.keyWord);
    if (!keyed || !firstWord) addName(op.name);
  }
  const std::string head(text::Trim(std::string_view(line).substr(0, line.size() - typed.size())));
  if (const OperandSoFar so = FindOperand(head); so.op) {
    for (std::string& word : OperandWords(so, labels))
      if (StartsWithIgnoringCase(word, typed)) result.words.push_back(std::move(word));
  }
  std::sort(result.words.begin(), result.words.end());
  result.words.erase(std::unique(result.words.begin(), result.words.end()), result.words.end());
  return result;
}

}  // namespace orrikey::reference
