#include "encoder/Encoder.h"
#include "encoder/LineEncoders.h"
#include "text/CodePage.h"
#include "text/HexDigits.h"
#include "text/Pattern.h"
#include "tables/Tables.h"


namespace orrikey {
namespace {

// Besides numbers as the calculator keys them, ".5", "5." and "-.5" are
// accepted: calculators store such numbers and the decoder writes them so.
const Pattern& NumberPattern() {
  static const Pattern pattern("^\\-?(\\d+(\\.\\d*)?|\\.\\d+)(\\x98\\-?\\d{1,3}|)$");
  return pattern;
}

const Pattern& StringPattern() {
  static const Pattern pattern("^(\\\"([\\W\\w]+)\\\")");
  return pattern;
}

std::optional<unsigned> NumberCode(unsigned char c) {
  if (c >= '0' && c <= '9') return 0x10 + (c - '0');
  if (c == '.') return 0x1A;
  if (c == 0x98) return 0x1B;  // the exponent mark
  if (c == '-') return 0x1C;
  return std::nullopt;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// Every character is encoded as written: the number is never parsed or
// normalised, so leading and trailing zeros stay.
std::optional<std::string> GetNumbers(std::string_view line) {
  if (!NumberPattern().Matches(line)) return std::nullopt;
  std::string hex;
  hex.reserve(line.size() * 2 + 2);
  for (unsigned char c : line) {
    const auto code = NumberCode(c);
    // The pattern lets a final line-break byte such as 0x85 through.
    if (!code) return std::string(kErrNum);
    hex += hex::Byte(*code);
  }
  return hex + "00";
}

std::optional<std::string> GetStrings(std::string_view line) {
  // The zero-length text, a no-op that calculators keep in programs.
  if (line == "\"\"") return std::string("F0");
  const auto match = StringPattern().Search(line);
  if (!match || match->size() != line.size()) return std::nullopt;
  // A first character of code 0x7F or above would make the calculator read
  // the text as another instruction (an append, or a named operand).
  if (CalculatorCode(static_cast<unsigned char>(line[1])) >= 0x7F)
    return std::string(kErrString);
  return EncodeQuotedText(line, nullptr, "");
}

namespace {

// Names may be empty only where the calculator reads the bytes back as that
// line: the append text and the wide forms. LBL, GTO and XEQ keep theirs as
// programs have always held them.
bool TakesEmptyName(const tables::NameForm& form, std::string_view name) {
  return form.lead == "\x7F" || form.lead.size() == 2 || name == "LBL" || name == "GTO" ||
         name == "XEQ";
}

}  // namespace

std::string EncodeQuotedText(std::string_view quoted, const tables::NameForm* form,
                             std::string_view name) {
  if (quoted.size() < 2) return std::string(kErrString);
  if (form && !form->exists) return std::string(kErrPar);
  std::string_view text = quoted.substr(1, quoted.size() - 2);

  const bool isAssign = name == "ASSIGN";
  const bool isKey = name.starts_with("KEY");
  unsigned keyNumber = 0;
  if (isAssign) {
    // ASSIGN's key number was moved into the text by the argument parser.
    if (text.size() < 2 || !IsDigit(text[text.size() - 2]) || !IsDigit(text.back()))
      return std::string(kErrPar);
    keyNumber = (text[text.size() - 2] - '0') * 10 + (text.back() - '0');
    text.remove_suffix(2);
    if (keyNumber < 1 || keyNumber > 18) return std::string(kErrPar);
  }
  if (form && text.empty() && !TakesEmptyName(*form, name)) return std::string(kErrPar);

  const size_t lead = form ? form->lead.size() : 0;
  const size_t lengthDigit = text.size() + lead + (isKey || isAssign ? 1 : 0);
  if (lengthDigit > 15) return std::string(kErrString);

  std::string result;
  if (name == "LBL") result.append("C000");
  if (form) result.append(hex::Bytes(form->before));
  result.append(1, 'F').append(1, hex::Digit(static_cast<unsigned>(lengthDigit)));
  if (form) result.append(hex::Bytes(form->lead));
  if (isKey) result.append(hex::Byte(static_cast<unsigned>(name[4] - '0')));
  for (unsigned char c : text) result += hex::Byte(CalculatorCode(c));
  if (isAssign) result.append(hex::Byte(keyNumber - 1));
  return result;
}

}  // namespace orrikey
