// The decode loop: one pass per instruction, each pass offered to the
// recognisers in a fixed order until one of them takes it.

#include <cstdint>
#include <stdexcept>

#include "decoder/Decoder.h"
#include "tables/Tables.h"

namespace orrikey::HTC {
namespace {

constexpr std::string_view kErrorLine = "Error in Hex Code";
constexpr int kDropped = -1;

// The value of each hex digit, either case; -1 for any other character.
constexpr std::array<int8_t, 256> kHexDigitValues = [] {
  std::array<int8_t, 256> values{};
  values.fill(-1);
  for (int digit = 0; digit < 10; ++digit) values['0' + digit] = static_cast<int8_t>(digit);
  for (int digit = 0; digit < 6; ++digit) {
    values['A' + digit] = static_cast<int8_t>(10 + digit);
    values['a' + digit] = static_cast<int8_t>(10 + digit);
  }
  return values;
}();

// The program text of each calculator character: codes below 32 become their
// display codes, and every other code stands for itself, except the display
// codes of the map, which the encoder would read back as codes below 32.
const std::array<int, 256>& DisplayCodes() {
  static const std::array<int, 256> codes = [] {
    std::array<int, 256> display{};
    const std::array<unsigned char, 32> map = tables::CharMap();
    for (int code = 0; code < 256; ++code) display[code] = code;
    for (unsigned char glyph : map) display[glyph] = kDropped;
    for (int code = 0; code < 32; ++code) display[code] = map[code];
    return display;
  }();
  return codes;
}

}  // namespace

const std::array<Decoder::Recogniser, 26> Decoder::kRecognisers = {
    &Decoder::Number,           &Decoder::String,           &Decoder::End,
    &Decoder::Null,             &Decoder::FixedOp,          &Decoder::AppendString,
    &Decoder::ShortLabel,       &Decoder::ShortRecall,      &Decoder::ShortStore,
    &Decoder::ShortGoto,        &Decoder::LongGoto,         &Decoder::LongXeq,
    &Decoder::KeyRegister,      &Decoder::KeyIndirectStack, &Decoder::DisplayTenEleven,
    &Decoder::Direct,           &Decoder::PrefixedDirect,   &Decoder::Indirect,
    &Decoder::PrefixedIndirect, &Decoder::Stack,            &Decoder::PrefixedStack,
    &Decoder::NamedGotoXeq,     &Decoder::GlobalLabel,      &Decoder::Assign,
    &Decoder::KeyName,          &Decoder::NamedOperand,
};

DecodeResult HexToCode(std::string_view hexText) { return Decoder(hexText).Run(); }

DecodeResult Decoder::Run() {
  DecodeResult result;
  lines_.reserve(hex_.size() / 6);  // most instructions take two or three bytes
  // A lone last digit is never decoded.
  while (pos_ + 1 < hex_.size()) {
    ReadPass();
    Outcome outcome = Outcome::kNoMatch;
    for (Recogniser recognise : kRecognisers) {
      outcome = (this->*recognise)();
      if (outcome != Outcome::kNoMatch) break;
    }
    if (outcome != Outcome::kMatched) {
      lines_.emplace_back(kErrorLine);
      result.info = std::string(kErrorLine) + " - Around Line: " + std::to_string(lines_.size());
      break;
    }
  }
  result.lines = std::move(lines_);
  return result;
}

unsigned Decoder::ByteAt(size_t pos) const {
  const std::string_view pair = pos < hex_.size() ? hex_.substr(pos, 2) : std::string_view();
  if (pair.size() == 2) {
    const int high = kHexDigitValues[static_cast<unsigned char>(pair[0])];
    const int low = kHexDigitValues[static_cast<unsigned char>(pair[1])];
    if (high >= 0 && low >= 0) return static_cast<unsigned>(high * 16 + low);
  }
  throw std::runtime_error("'$" + std::string(pair) + "' is not a valid integer value");
}

// A byte that the text does not hold is absent: it meets no condition, and
// its operand text is empty.
void Decoder::ReadPass() {
  for (size_t k = 0; k < b_.size(); ++k) {
    const size_t at = pos_ + 2 * k;
    b_[k] = at + 2 <= hex_.size() ? ByteAt(at) : kAbsent;
  }
}

std::string_view Decoder::Digits(size_t k) const {
  return Has(k) ? hex_.substr(pos_ + 2 * k, 2) : std::string_view();
}

// FindModOpName for a key put together from parts, without building a string.
std::string_view Decoder::ModOpName(std::initializer_list<std::string_view> keyParts) {
  std::array<char, 8> key{};
  size_t size = 0;
  for (std::string_view part : keyParts) {
    if (size + part.size() > key.size()) return {};
    size += part.copy(key.data() + size, part.size());
  }
  return FindModOpName(std::string_view(key.data(), size));
}

// Reads the characters from `from` up to `end` (positions in the hex text)
// and leaves the read position after them, or at `from` when there are none.
std::string Decoder::ReadQuotedText(size_t from, size_t end) {
  const std::array<int, 256>& display = DisplayCodes();
  std::string text = "\"";
  for (pos_ = from; pos_ < end; pos_ += 2) {
    const int code = display[ByteAt(pos_)];
    if (code != kDropped) text += static_cast<char>(code);
  }
  text += '"';
  return text;
}

Decoder::Outcome Decoder::Emit(std::string line) {
  lines_.push_back(std::move(line));
  return Outcome::kMatched;
}

}  // namespace orrikey::HTC
