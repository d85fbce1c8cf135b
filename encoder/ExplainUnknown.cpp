// Lines that no instruction claims: an unknown name, a known one spelled
// with something it does not take, or a key assignment whose key is wrong.

#include <algorithm>

#include "encoder/Explaining.h"
#include "encoder/LineEncoders.h"
#include "encoder/LineForms.h"
#include "text/CalculatorNames.h"

namespace orrikey::encoder {
namespace {

bool IsFixedName(std::string_view word) {
  const auto renaming = text::TableNameAt(word);
  return EncodeFixedInstruction(renaming ? renaming->name : word).has_value();
}

// Only the characters of numbers, with a digit among them.
bool LooksLikeNumber(std::string_view word) {
  return std::any_of(word.begin(), word.end(), IsDigit) && std::all_of(word.begin(), word.end(), [](char c) {
           return NumberCode(static_cast<unsigned char>(c));
         });
}

// "GTO or XEQ": what may follow KEY n.
std::string KeyActions() {
  std::string actions;
  for (const tables::ModOp& op : tables::ModOps()) {
    if (op.operand != tables::OperandKind::kKeyLabel) continue;
    if (!actions.empty()) actions += " or ";
    actions += Shown(op.name.substr(op.keyWord.size() + 1));
  }
  return actions;
}

// `blanks` starts at the one blank that belongs after `after`.
Fault ExtraBlanks(std::string_view line, std::string_view blanks, std::string_view after) {
  return Mark(line, LeadingBlanks(blanks.substr(1)), "more than one blank after " + Shown(after));
}

// KEY, a blank and what should be a key number, a blank and GTO or XEQ.
Fault ExplainKey(std::string_view line, std::string_view word) {
  const std::string keys = std::string(" (") + kFirstKeyDigit + " to " + kLastKeyDigit + ")";
  if (line.size() == word.size()) return Mark(line, word, Shown(word) + " needs a key number" + keys);
  if (line.size() > word.size() + 1 && IsBlank(line[word.size() + 1]))
    return ExtraBlanks(line, line.substr(word.size()), word);
  const std::string_view rest = line.substr(word.size() + 1);
  const std::string_view key = rest.substr(0, FirstBlank(rest));
  if (key.size() != 1 || key[0] < kFirstKeyDigit || key[0] > kLastKeyDigit) {
    if (std::all_of(key.begin(), key.end(), IsDigit))
      return Mark(line, key, "key " + Shown(key) + " is out of range" + keys);
    return Mark(line, key, Quoted(key) + " is not a key number" + keys);
  }
  const std::string_view named = line.substr(0, word.size() + 2);  // "KEY 3"
  const std::string_view gap = rest.substr(key.size());
  if (gap.size() > 1 && IsBlank(gap[1])) return ExtraBlanks(line, gap, named);
  const std::string_view after = gap.substr(LeadingBlanks(gap).size());
  const std::string_view action = after.substr(0, FirstBlank(after));
  return Mark(line, action.empty() ? key : action, Shown(named) + " needs " + KeyActions());
}

}  // namespace

Fault ExplainUnknown(std::string_view line) {
  if (line.front() == '"') return ExplainUnclosed(line, line, "text");
  const size_t blank = FirstBlank(line);
  const std::string_view word = line.substr(0, blank);
  const std::string_view rest = line.substr(blank + LeadingBlanks(line.substr(blank)).size());

  if (!rest.empty() && (IsFixedName(word) || EncodeNumber(word)))
    return Mark(line, rest, (IsFixedName(word) ? ShownName(word) : "a number") + " takes no operand");
  // An operand instruction or XROM claims a line only when a blank follows its name.
  if (FindModOp(word) || word == "XROM") {
    if (rest.empty()) return Mark(line, word, ShownName(word) + " needs an operand");
    if (line[blank] == '\t')
      return Mark(line, line.substr(blank, 1), "a tab after " + ShownName(word) + " where a blank belongs");
  }
  for (const tables::ModOp& op : tables::ModOps())
    if (op.operand == tables::OperandKind::kKeyLabel && word == op.keyWord) return ExplainKey(line, word);
  if (LooksLikeNumber(word)) return Mark(line, word, "malformed number " + Quoted(word));
  return Mark(line, word, "unknown instruction " + Quoted(word));
}

}  // namespace orrikey::encoder
