// Instructions recognised by fixed byte patterns: append strings, the
// one-byte short forms, the three-byte GTO and XEQ, key assignments with a
// register or stack operand, and FIX, SCI and ENG with 10 and 11.

#include "decoder/Decoder.h"
#include "decoder/Operands.h"
#include "tables/Tables.h"

namespace orrikey::HTC {
namespace {

// The label of a three-byte GTO or XEQ: its third byte, whose top bit
// belongs to the jump distance that calculators cache in the instruction.
std::string LongLabel(unsigned byte) {
  const unsigned label = byte & 0x7F;
  const std::string_view text = OperandText(label).text;
  return text.empty() ? std::to_string(label) : std::string(text);
}

}  // namespace

Decoder::Outcome Decoder::AppendString() {
  // An empty append text (F1 7F) has no character to test.
  if (FirstDigit(0) != 'F' || b_[1] != 0x7F || (b_[0] != 0xF1 && b_[2] >= 0x7F))
    return Outcome::kNoMatch;
  const size_t start = pos_;
  const size_t length = b_[0] - 0xF0;
  std::string line(FindModOpName("F17F"));  // the append instruction and a blank
  line += ReadQuotedText(start + 4, start + 2 + 2 * length);
  return Emit(std::move(line));
}

Decoder::Outcome Decoder::ShortLabel() {
  if (FirstDigit(0) != '0') return Outcome::kNoMatch;
  Skip(1);
  return Emit("LBL " + TwoDigits((b_[0] & 0xF) - 1));
}

Decoder::Outcome Decoder::ShortRecall() {
  if (FirstDigit(0) != '2') return Outcome::kNoMatch;
  Skip(1);
  return Emit("RCL " + TwoDigits(b_[0] & 0xF));
}

Decoder::Outcome Decoder::ShortStore() {
  if (FirstDigit(0) != '3') return Outcome::kNoMatch;
  Skip(1);
  return Emit("STO " + TwoDigits(b_[0] & 0xF));
}

// B1 to BF and a second byte that calculators use for the jump distance. B0
// would be "GTO -1", which no program text can express.
Decoder::Outcome Decoder::ShortGoto() {
  if (FirstDigit(0) != 'B') return Outcome::kNoMatch;
  if (b_[0] == 0xB0) return Outcome::kStop;
  if (!Has(1)) return Outcome::kNoMatch;
  Skip(2);
  return Emit("GTO " + TwoDigits((b_[0] & 0xF) - 1));
}

// Dx yy nn and Ex yy nn: calculators cache a jump distance in the low digit
// of the first byte, the second byte and the top bit of the third, so only
// the rest of the third byte is the label.
Decoder::Outcome Decoder::LongGoto() {
  if (FirstDigit(0) != 'D') return Outcome::kNoMatch;
  if (!Has(2)) return Outcome::kStop;
  Skip(3);
  return Emit("GTO " + LongLabel(b_[2]));
}

Decoder::Outcome Decoder::LongXeq() {
  if (FirstDigit(0) != 'E') return Outcome::kNoMatch;
  if (!Has(2)) return Outcome::kStop;
  Skip(3);
  return Emit("XEQ " + LongLabel(b_[2]));
}

// F3 E2 kk nn and F3 E3 kk nn: KEY kk XEQ or GTO with a register or label.
Decoder::Outcome Decoder::KeyRegister() {
  if (Digits(0) != "F3" || !Has(3) || FirstDigit(3) == 'F') return Outcome::kNoMatch;
  const std::string_view name = ModOpName({hex_.substr(pos_, 4), T(3).indirect ? "80" : "00"});
  if (!IsKeyAssignment(name)) return Outcome::kNoMatch;
  Skip(4);
  return Emit(KeyHead(name, b_[2]) + std::string(T(3).text));
}

// F3 E2 kk Fx and F3 E3 kk Fx: the indirect stack operand.
Decoder::Outcome Decoder::KeyIndirectStack() {
  if (Digits(0) != "F3" || !Has(3) || FirstDigit(3) != 'F') return Outcome::kNoMatch;
  const auto letter = StackLetter(b_[3]);
  if (!letter) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({hex_.substr(pos_, 4), "F0"});
  if (!IsKeyAssignment(name)) return Outcome::kNoMatch;
  Skip(4);
  return Emit(KeyHead(name, b_[2]) + "ST " + *letter);
}

// Every F1 pair that got this far is FIX, SCI or ENG 10 or 11, found in the
// extension of their templates (its first half 11, its second half 10). Any
// other pair would vanish if it gave no line, so it ends the decode.
Decoder::Outcome Decoder::DisplayTenEleven() {
  if (Digits(0) != "F1" || !Has(1)) return Outcome::kNoMatch;
  const std::string key = "F1" + std::string(Digits(1));
  for (std::string_view row : tables::ModOpTxt()) {
    const size_t comma = row.find(',');
    const std::string_view templ = row.substr(comma + 1);
    if (templ.size() != kExtendedTemplateSize) continue;
    const std::string_view extension = templ.substr(templ.size() - 8);
    const char* operand = extension.substr(0, 4) == key   ? " 11"
                          : extension.substr(4, 4) == key ? " 10"
                                                          : nullptr;
    if (!operand) continue;
    Skip(2);
    return Emit(std::string(row.substr(0, comma)) + operand);
  }
  return Outcome::kStop;
}

}  // namespace orrikey::HTC
