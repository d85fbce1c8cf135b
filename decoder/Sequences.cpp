// Fn and the n bytes it counts: NOP, texts, appends, the instructions with a
// name, the prefixed register forms, and the wider A7 forms.

#include <array>

#include "decoder/Decoder.h"
#include "decoder/OperandText.h"

namespace orrikey::HTC {
namespace {

constexpr int kDropped = -1;
constexpr unsigned char kWide = 0xA7;

// The program text of each calculator character: codes below 32 become their
// display codes, and every other code stands for itself, except the display
// codes of the map, which the encoder would read back as codes below 32.
const std::array<int, 256>& DisplayCodes() {
  static const std::array<int, 256> codes = [] {
    std::array<int, 256> display{};
    const std::array<unsigned char, 32>& map = tables::CharMap();
    for (int code = 0; code < 256; ++code) display[code] = code;
    for (unsigned char glyph : map) display[glyph] = kDropped;
    for (int code = 0; code < 32; ++code) display[code] = map[code];
    return display;
  }();
  return codes;
}

unsigned ByteOf(std::string_view bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }

// The sub-bytes after A7 that name no wrapped form: ASSIGN, the key
// assignments and SIZE have wider forms of their own, or none.
bool WrapsAnotherForm(unsigned subByte) {
  for (unsigned excluded : {0xC0, 0xC2, 0xC3, 0xCA, 0xCB, 0xE2, 0xE3, 0xF7})
    if (subByte == excluded) return false;
  return subByte >= 0x80 && subByte != kWide;
}

}  // namespace

std::string QuotedText(std::string_view characters) {
  const std::array<int, 256>& display = DisplayCodes();
  std::string text = "\"";
  for (unsigned char c : characters)
    if (display[c] != kDropped) text += static_cast<char>(display[c]);
  return text + '"';
}

std::string XromHex(std::string_view bytes) {
  std::string text = "XROM 0x";
  for (unsigned char c : bytes) {
    text += "0123456789abcdef"[c >> 4];
    text += "0123456789abcdef"[c & 0xF];
  }
  return text;
}

Decoder::Line Decoder::Sequence() {
  const size_t length = At(0) - 0xF0;
  if (length == 0) return std::string(index_.FixedName(Take(1)).value());  // NOP
  if (!Has(length)) return std::nullopt;
  Take(1);
  const std::string_view body = Take(length);
  return SequenceBody(body, false).value_or(XromHex(body));
}

// The form of the n bytes after Fn; nothing when they form no instruction.
// A wrapped body is the rest of an A7 form that reads as the shorter form.
Decoder::Line Decoder::SequenceBody(std::string_view body, bool wrapped) {
  const unsigned first = ByteOf(body, 0);
  bool indirect = false;
  if (!wrapped && first < 0x7F) return QuotedText(body);
  if (!wrapped && first == 0x7F) {
    const tables::ModOp* append = index_.NamedForm(body.substr(0, 1), indirect);
    if (append) return std::string(append->name) + " " + QuotedText(body.substr(1));
  }
  // FIX, SCI and ENG 10 and 11 exist only as these two bytes.
  if (!wrapped && body.size() == 1) {
    if (auto line = index_.TenOrEleven(std::string(1, '\xF1') + std::string(body))) return line;
  }

  const char lengthByte = static_cast<char>(0xF0 + body.size());
  std::string lead = std::string(1, lengthByte) + std::string(body.substr(0, 1));
  if (first == kWide && body.size() == 3) lead += body[1];
  if (index_.OperandForms(lead)) return RegisterForm(lead, body.substr(lead.size() - 1));

  // A wrapped body never starts with A7 again.
  const size_t leadSize = first == kWide ? 2 : 1;
  if (const tables::ModOp* op = index_.NamedForm(body.substr(0, leadSize), indirect))
    return NamedForm(body, *op, indirect, leadSize);
  if (first == kWide && body.size() >= 2 && WrapsAnotherForm(ByteOf(body, 1)))
    return SequenceBody(body.substr(1), true);
  return std::nullopt;
}

// F2 xx nn, F3 A7 ss nn, F3 F7 hh ll (SIZE) and F3 Ex kk nn (KEY).
Decoder::Line Decoder::RegisterForm(std::string_view lead, std::string_view rest) {
  const tables::ModOp* op = index_.OperandForms(lead)->front().op;
  if (op->name == "SIZE") {
    if (rest.size() != 2) return std::nullopt;
    return "SIZE " + std::to_string(ByteOf(rest, 0) * 256 + ByteOf(rest, 1));
  }
  std::string head;
  if (op->name.starts_with("KEY")) {
    if (rest.size() != 2 || ByteOf(rest, 0) < 1 || ByteOf(rest, 0) > 9) return std::nullopt;
    head = "KEY " + std::to_string(ByteOf(rest, 0)) + std::string(op->name.substr(3));
    rest.remove_prefix(1);
  }
  if (rest.size() != 1) return std::nullopt;
  const auto operand = Operand(lead, ByteOf(rest, 0), &op);
  if (!operand) return std::nullopt;
  if (head.empty()) head = op->name;
  return head + " " + *operand;
}

// Fn xx name, Fn A7 tt name, Fn Cx kk name (KEY) and Fn C0 name kk (ASSIGN).
// Only the wide forms take an empty name.
Decoder::Line Decoder::NamedForm(std::string_view body, const tables::ModOp& op,
                                 bool indirect, size_t leadSize) {
  std::string_view name = body.substr(leadSize);
  const std::string ind = indirect ? "IND " : "";
  if (op.name.starts_with("KEY")) {
    // Any other key byte makes the whole sequence a text.
    const unsigned key = name.empty() ? 0 : ByteOf(name, 0);
    if (key < 1 || key > 9) return QuotedText(body);
    if (name.size() < 2) return std::nullopt;
    return "KEY " + std::to_string(key) + std::string(op.name.substr(3)) + " " + ind +
           QuotedText(name.substr(1));
  }
  if (op.name == "ASSIGN") {
    if (name.size() < 2) return std::nullopt;
    const unsigned key = ByteOf(name, name.size() - 1);
    name.remove_suffix(1);
    return "ASSIGN " + QuotedText(name) + " TO " + TwoDigits(key + 1);
  }
  if (name.empty() && leadSize == 1) return std::nullopt;
  return std::string(op.name) + " " + ind + QuotedText(name);
}

}  // namespace orrikey::HTC
