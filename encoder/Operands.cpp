#include "encoder/Encoder.h"
#include "text/HexDigits.h"
#include "encoder/LineEncoders.h"

namespace orrikey {
namespace {

constexpr std::string_view kStackLetters = "TZYXL";
constexpr unsigned kStackBytes = 0x70;  // ST T to ST L: 0x70 to 0x74
constexpr unsigned kLargestNumber = 127;

bool IsStackValue(unsigned n) { return n >= kStackBytes && n < kStackBytes + kStackLetters.size(); }

// Local labels write the letters A to J as 0x66 to 0x6F and a to e as 0x7B to
// 0x7F, so those numbers are no label numbers.
bool IsLetterValue(unsigned n) { return (n >= 0x66 && n <= 0x6F) || (n >= 0x7B && n <= 0x7F); }

// The key number of a key assignment follows the bytes that lead it.
std::string KeyByte(std::string_view name) {
  return name.starts_with("KEY") ? hex::Byte(static_cast<unsigned>(name[4] - '0')) : std::string();
}

std::string Encode(const tables::OperandForm& form, std::string_view name, unsigned value) {
  return hex::Bytes(form.lead) + KeyByte(name) + hex::Byte(form.base + value);
}

}  // namespace

bool TakesLabels(std::string_view name) {
  return name == "LBL" || name == "GTO" || name == "XEQ" || name.starts_with("KEY");
}

std::string EncodeNumberOperand(unsigned n, const tables::ModOp& op, std::string_view name,
                                bool indirect) {
  const tables::OperandForms& forms = indirect ? op.indirect : op.direct;
  if (!indirect && op.name == "SIZE") return hex::Bytes(forms.number.lead) + hex::Word(n);
  if (!indirect && !op.ten.empty() && n >= 10) {
    if (n == 10) return hex::Bytes(op.ten);
    if (n == 11) return hex::Bytes(op.eleven);
    return std::string(kErrPar);
  }
  const bool label = !indirect && TakesLabels(op.name);
  if (n > kLargestNumber || IsStackValue(n) || (label && IsLetterValue(n)))
    return std::string(kErrPar);

  // A short form without lead bytes holds the number in its first byte's low
  // digit, as far as that digit goes; GTO's writes a zero byte after it.
  const tables::OperandForm& shortForm = forms.shortNumber;
  const bool trailingZero = shortForm.lead == std::string_view("\0", 1);
  const bool inFirstByte = shortForm.lead.empty() || trailingZero;
  const unsigned shortLimit = inFirstByte ? 0xF - (shortForm.base & 0xF) : 15;
  const tables::OperandForm& form = shortForm.exists && n <= shortLimit ? shortForm : forms.number;
  if (!form.exists) return std::string(kErrPar);
  if (&form == &shortForm && trailingZero) return hex::Byte(form.base + n) + "00";
  return Encode(form, name, n);
}

std::string EncodeStackOperand(char letter, const tables::ModOp& op, std::string_view name,
                               bool indirect) {
  const tables::OperandForm& form = (indirect ? op.indirect : op.direct).stack;
  const size_t index = kStackLetters.find(letter);
  if (!form.exists || index == std::string_view::npos) return std::string(kErrPar);
  return Encode(form, name, static_cast<unsigned>(index));
}

std::string EncodeLocalLabel(char letter, const tables::ModOp& op, std::string_view name) {
  const unsigned code = static_cast<unsigned char>(letter) + (letter >= 'a' ? 26 : 37);
  return hex::Bytes(op.direct.number.lead) + KeyByte(name) + hex::Byte(code);
}

}  // namespace orrikey
