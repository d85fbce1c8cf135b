// Instructions that the first byte alone identifies: numbers, strings, END,
// NULL and the fixed instructions.

#include "decoder/Decoder.h"

namespace orrikey::HTC {

// Digit bytes 0x10 to 0x1C run up to the first "00" of the text, which need
// not start on a byte boundary: after a last digit byte 0x10 it starts on
// that byte's second digit, and the walk below still stops after that byte.
Decoder::Outcome Decoder::Number() {
  if (b_[0] < 0x10 || b_[0] > 0x1C) return Outcome::kNoMatch;
  const size_t end = hex_.find("00", pos_);
  if (end == std::string_view::npos) return Outcome::kNoMatch;
  std::string number;
  for (; pos_ < end; pos_ += 2) {
    ByteAt(pos_);  // raises for a pair that is not hexadecimal
    const char digit = hex_[pos_ + 1];
    if (digit == 'A') number += '.';
    else if (digit == 'B') number += '\x98';  // the exponent mark
    else if (digit == 'C') number += '-';
    else number += digit;
  }
  Skip(1);  // the terminating zero byte
  return Emit(std::move(number));
}

Decoder::Outcome Decoder::String() {
  if (FirstDigit(0) != 'F') return Outcome::kNoMatch;
  const size_t start = pos_;
  // The zero-length text is one whole instruction (calculators run it as a
  // no-op), whatever byte follows it.
  if (b_[0] == 0xF0) {
    Skip(1);
    return Emit("\"\"");
  }
  // A first character of 0x7F or above makes another instruction of the bytes.
  if (b_[1] >= 0x7F) return Outcome::kNoMatch;
  const size_t length = b_[0] - 0xF0;
  return Emit(ReadQuotedText(start + 2, start + 2 + 2 * length));
}

// C0 00 0D is always END, never .END.
Decoder::Outcome Decoder::End() {
  if (hex_.substr(pos_, 6) != "C0000D") return Outcome::kNoMatch;
  Skip(3);
  return Emit("END");
}

Decoder::Outcome Decoder::Null() {
  if (Digits(0) != "00") return Outcome::kNoMatch;
  Skip(1);
  return Emit("NULL");
}

// The first byte decides the length: one byte for 0x40 to 0x8F, two for 0xA0
// to 0xA7. An instruction that the table does not hold ends the decode rather
// than vanish as an empty line.
Decoder::Outcome Decoder::FixedOp() {
  size_t length = 0;
  if (b_[0] >= 0x40 && b_[0] <= 0x8F) length = 1;
  else if (b_[0] >= 0xA0 && b_[0] <= 0xA7) length = 2;
  if (length == 0 || !Has(length - 1)) return Outcome::kNoMatch;
  const std::string_view name = FindFixedOpName(hex_.substr(pos_, 2 * length));
  if (name.empty()) return Outcome::kStop;
  Skip(length);
  return Emit(std::string(name));
}

}  // namespace orrikey::HTC
