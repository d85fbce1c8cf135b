#pragma once

// The state of one decode: the read position in the hex text, the bytes of
// the current pass and the lines decoded so far. Each HexToCode call has its
// own, so decodes never share anything.

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/HTC.h"

namespace orrikey::HTC {

class Decoder {
 public:
  explicit Decoder(std::string_view hex) : hex_(hex) {}
  DecodeResult Run();

 private:
  // What a recogniser made of the current pass. kStop: the bytes are its to
  // decode but form no instruction, so decoding ends with an error.
  enum class Outcome { kNoMatch, kMatched, kStop };
  using Recogniser = Outcome (Decoder::*)();

  static constexpr unsigned kAbsent = 256;

  // Reading the hex text.
  unsigned ByteAt(size_t pos) const;
  void ReadPass();
  bool Has(size_t k) const { return b_[k] != kAbsent; }
  std::string_view Digits(size_t k) const;
  char FirstDigit(size_t k) const { return Has(k) ? hex_[pos_ + 2 * k] : '\0'; }
  Operand T(size_t k) const { return OperandText(b_[k]); }
  std::string_view FirstDigitText(size_t k) const { return Digits(k).substr(0, 1); }
  static std::string_view ModOpName(std::initializer_list<std::string_view> keyParts);
  std::string ReadQuotedText(size_t from, size_t end);
  void Skip(size_t bytes) { pos_ += 2 * bytes; }
  Outcome Emit(std::string line);

  // Direct recognisers.
  Outcome Number();
  Outcome String();
  Outcome End();
  Outcome Null();
  Outcome FixedOp();

  // Composed recognisers.
  Outcome AppendString();
  Outcome ShortLabel();
  Outcome ShortRecall();
  Outcome ShortStore();
  Outcome ShortGoto();
  Outcome LongGoto();
  Outcome LongXeq();
  Outcome KeyRegister();
  Outcome KeyIndirectStack();
  Outcome DisplayTenEleven();
  Outcome Direct();
  Outcome PrefixedDirect();
  Outcome Indirect();
  Outcome PrefixedIndirect();
  Outcome Stack();
  Outcome PrefixedStack();
  Outcome NamedGotoXeq();
  Outcome GlobalLabel();
  Outcome Assign();
  Outcome KeyName();
  Outcome NamedOperand();

  static const std::array<Recogniser, 26> kRecognisers;

  std::string_view hex_;
  size_t pos_ = 0;  // the first digit of the next undecoded byte, from 0
  std::array<unsigned, 4> b_{};  // kAbsent for a byte past the end
  std::vector<std::string> lines_;
};

}  // namespace orrikey::HTC
