// Parameterised instructions found by searching the templates for a key
// built from their bytes: register, indirect and stack operands, and quoted
// names.
//
// The two-byte forms never start with 0xF0 to 0xFF: such a byte is the length
// prefix of a name, whose first bytes would otherwise pass for a register
// form (ASTO "CONTROL", F8 B2 43 ..., is not VARMENU IND 50).

#include "decoder/Decoder.h"
#include "decoder/Operands.h"

namespace orrikey::HTC {
namespace {

bool IsPrefixed(unsigned byte) { return byte == 0xF2 || byte == 0xF3; }

std::string Line(std::string_view name, std::string_view operand) {
  std::string line(name);
  line += operand;
  return line;
}

}  // namespace

Decoder::Outcome Decoder::Direct() {
  if (b_[0] >= 0xF0 || !Has(1)) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({Digits(0), "00"});
  if (name.empty() || name == "SIZE " || T(1).text.empty() || T(1).indirect)
    return Outcome::kNoMatch;
  Skip(2);
  return Emit(Line(name, T(1).text));
}

// F2 and F3 start the three-byte forms. Those of the key assignments belong
// to the KEY recognisers alone: here they would give "KEY GTO nn".
Decoder::Outcome Decoder::PrefixedDirect() {
  if (!IsPrefixed(b_[0]) || !Has(2)) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({hex_.substr(pos_, 4), "00"});
  if (name.empty() || IsKeyAssignment(name) || T(2).text.empty() || T(2).indirect)
    return Outcome::kNoMatch;
  if (name.find("SIZE") != std::string_view::npos) {
    if (!Has(3)) return Outcome::kNoMatch;
    Skip(4);
    return Emit(Line(name, std::to_string(b_[2] * 256 + b_[3])));
  }
  Skip(3);
  return Emit(Line(name, T(2).text));
}

Decoder::Outcome Decoder::Indirect() {
  if (b_[0] >= 0xF0 || !Has(1)) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({Digits(0), "80"});
  if (name.empty() || !T(1).indirect) return Outcome::kNoMatch;
  Skip(2);
  return Emit(Line(name, T(1).text));
}

Decoder::Outcome Decoder::PrefixedIndirect() {
  if (!IsPrefixed(b_[0]) || !Has(2)) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({hex_.substr(pos_, 4), "80"});
  if (name.empty() || IsKeyAssignment(name) || !T(2).indirect) return Outcome::kNoMatch;
  Skip(3);
  return Emit(Line(name, T(2).text));
}

Decoder::Outcome Decoder::Stack() {
  if (b_[0] >= 0xF0 || !Has(1)) return Outcome::kNoMatch;
  const auto letter = StackLetter(b_[1]);
  if (!letter) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({Digits(0), FirstDigitText(1), "0"});
  if (name.empty()) return Outcome::kNoMatch;
  Skip(2);
  return Emit(Line(name, "ST ") + *letter);
}

Decoder::Outcome Decoder::PrefixedStack() {
  if (!IsPrefixed(b_[0]) || !Has(2)) return Outcome::kNoMatch;
  const auto letter = StackLetter(b_[2]);
  if (!letter) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({hex_.substr(pos_, 4), FirstDigitText(2), "0"});
  if (name.empty() || IsKeyAssignment(name)) return Outcome::kNoMatch;
  Skip(3);
  return Emit(Line(name, "ST ") + *letter);
}

// 1D Fm name and 1E Fm name: the instruction byte stands before the length.
Decoder::Outcome Decoder::NamedGotoXeq() {
  const std::string_view head = hex_.substr(pos_, 3);
  if ((head != "1DF" && head != "1EF") || !Has(1)) return Outcome::kNoMatch;
  const size_t start = pos_;
  const size_t length = b_[1] - 0xF0;
  const char* instruction = b_[0] == 0x1D ? "GTO " : "XEQ ";
  return Emit(instruction + ReadQuotedText(start + 4, start + 4 + 2 * length));
}

// C0 00 Fm 00 name: m counts the zero byte and the name.
Decoder::Outcome Decoder::GlobalLabel() {
  const std::string_view head = hex_.substr(pos_, 5);
  if ((head != "C000F" && head != "CA00F") || !Has(3)) return Outcome::kNoMatch;
  const size_t start = pos_;
  const size_t length = b_[2] - 0xF0;
  return Emit("LBL " + ReadQuotedText(start + 8, start + 6 + 2 * length));
}

// Fn C0 name kk: the key number kk + 1 is the last of the n bytes.
Decoder::Outcome Decoder::Assign() {
  if (FirstDigit(0) != 'F' || b_[1] != 0xC0) return Outcome::kNoMatch;
  const size_t start = pos_;
  const size_t keyAt = start + 2 * (b_[0] - 0xF0);
  std::string line = "ASSIGN " + ReadQuotedText(start + 4, keyAt);
  line += " TO " + TwoDigits(ByteAt(keyAt) + 1);
  pos_ = keyAt + 2;
  return Emit(std::move(line));
}

// Fn C2 kk name (XEQ) and Fn C3 kk name (GTO); CA and CB for IND.
Decoder::Outcome Decoder::KeyName() {
  if (FirstDigit(0) != 'F' || !Has(2)) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({"F1", Digits(1)});
  if (!IsKeyAssignment(name)) return Outcome::kNoMatch;
  const size_t start = pos_;
  const size_t length = b_[0] - 0xF0;
  return Emit(KeyHead(name, b_[2]) + ReadQuotedText(start + 6, start + 2 + 2 * length));
}

// Fn xx name: the name form whose template names F1 xx.
Decoder::Outcome Decoder::NamedOperand() {
  if (FirstDigit(0) != 'F' || b_[2] >= 0x7F) return Outcome::kNoMatch;
  const std::string_view name = ModOpName({"F1", Digits(1)});
  if (name.empty()) return Outcome::kNoMatch;
  const size_t start = pos_;
  const size_t length = b_[0] - 0xF0;
  return Emit(Line(name, ReadQuotedText(start + 4, start + 2 + 2 * length)));
}

}  // namespace orrikey::HTC
