// Fn and the n bytes it counts: NOP, texts, appends, the instructions with a
// name, the prefixed register forms, and the wider A7 forms.

#include <algorithm>
#include <array>

#include "decoder/Decoder.h"
#include "decoder/OperandText.h"
#include "text/QuotedText.h"

namespace orrikey::decoder {
namespace {

constexpr std::uint8_t kWide = 0xA7;

// The sub-bytes after A7 that name no wrapped form: ASSIGN, the key
// assignments and SIZE have wider forms of their own, or none.
bool WrapsAnotherForm(unsigned subByte) {
  for (unsigned excluded : {0xC0, 0xC2, 0xC3, 0xCA, 0xCB, 0xE2, 0xE3, 0xF7})
    if (subByte == excluded) return false;
  return subByte >= 0x80 && subByte != kWide;
}

}  // namespace

void AppendQuoted(LineText& out, Bytes characters) {
  char* at = out.at();
  *at++ = '"';
  at = text::WriteQuotedChars(at, characters);
  *at++ = '"';
  out.MoveTo(at);
}

void AppendXromHex(LineText& out, Bytes bytes) {
  out += "XROM 0x";
  for (std::uint8_t c : bytes) {
    out += "0123456789abcdef"[c >> 4];
    out += "0123456789abcdef"[c & 0xF];
  }
}

bool Decoder::Sequence(Line& line) {
  const size_t length = At(0) - 0xF0;
  if (length == 0) {
    SetFixed(line, *index_.Fixed(Take(1)));  // NOP
    return true;
  }
  if (!Has(length)) return false;
  Take(1);
  const Bytes body = Take(length);
  if (SequenceBody(line, body, false)) return true;
  // A form that failed half way may have named its row and begun its text.
  line.modOp = nullptr;
  out_.Restart();
  AppendXromHex(out_, body);
  return true;
}

// The form of the n bytes after Fn; false when they form no instruction.
// A wrapped body is the rest of an A7 form that reads as the shorter form.
bool Decoder::SequenceBody(Line& line, Bytes body, bool wrapped) {
  const std::uint8_t first = body[0];
  bool indirect = false;
  if (!wrapped && first < 0x7F) {
    AppendQuoted(out_, body);
    return true;
  }
  if (!wrapped && first == 0x7F) {
    if (const tables::ModOp* append = index_.NamedForm(body.first(1), indirect)) {
      SetHead(line, *append);
      AppendQuoted(out_, body.subspan(1));
      return true;
    }
  }
  // FIX, SCI and ENG 10 and 11 exist only as these two bytes.
  if (!wrapped && body.size() == 1) {
    const std::uint8_t bytes[] = {0xF1, first};
    unsigned number = 0;
    if (const tables::ModOp* op = index_.TenOrEleven(bytes, number)) {
      SetHead(line, *op);
      AppendDecimal(out_, number);
      return true;
    }
  }

  std::uint8_t lead[] = {static_cast<std::uint8_t>(0xF0 + body.size()), first, 0};
  const size_t leadSize = first == kWide && body.size() == 3 ? 3 : 2;
  if (leadSize == 3) lead[2] = body[1];
  if (const OperandEntries* forms = index_.OperandForms(std::span(lead, leadSize)))
    return RegisterForm(line, *forms, body.subspan(leadSize - 1));

  // A wrapped body never starts with A7 again.
  const size_t nameLead = std::min<size_t>(first == kWide ? 2 : 1, body.size());
  if (const tables::ModOp* op = index_.NamedForm(body.first(nameLead), indirect))
    return NamedForm(line, body, *op, indirect, nameLead);
  if (first == kWide && body.size() >= 2 && WrapsAnotherForm(body[1]))
    return SequenceBody(line, body.subspan(1), true);
  return false;
}

// F2 xx nn, F3 A7 ss nn, F3 F7 hh ll (SIZE) and F3 Ex kk nn (KEY).
bool Decoder::RegisterForm(Line& line, const OperandEntries& forms, Bytes rest) {
  const tables::ModOp& op = *forms.front().op;
  if (op.operand == tables::OperandKind::kWord) {
    if (rest.size() != 2) return false;
    SetHead(line, op);
    AppendDecimal(out_, rest[0] * 256u + rest[1]);
    return true;
  }
  const bool key = op.operand == tables::OperandKind::kKeyLabel;
  if (key && (rest.size() != 2 || rest[0] < 1 || rest[0] > 9)) return false;
  const Bytes operand = key ? rest.subspan(1) : rest;
  if (operand.size() != 1) return false;
  if (!key) {
    SetOperand(line, forms, operand[0]);
    return true;
  }
  const OperandEntry* form = FormFor(forms, operand[0]);
  if (!form) return false;
  line.modOp = form->op;
  SetKeyHead(op, rest[0]);
  out_ += ' ';
  AppendOperand(out_, *form, operand[0]);
  return true;
}

// The key number stands inside the name, after the record's key word:
// "KEY 3 GTO". Whatever the line held so far gives way to it.
void Decoder::SetKeyHead(const tables::ModOp& op, unsigned key) {
  out_.Restart();
  out_ += op.keyWord;
  out_ += ' ';
  AppendDecimal(out_, key);
  out_ += op.name.substr(op.keyWord.size());
}

// Fn xx name, Fn A7 tt name, Fn Cx kk name (KEY) and Fn C0 name kk (ASSIGN).
// Only the wide forms take an empty name.
bool Decoder::NamedForm(Line& line, Bytes body, const tables::ModOp& op, bool indirect, size_t leadSize) {
  Bytes name = body.subspan(leadSize);
  if (op.operand == tables::OperandKind::kKeyLabel) {
    // A key byte and a name, or no instruction (F2 C3 1A); with a key byte
    // other than 1 to 9 the whole sequence is a text.
    if (name.size() < 2) return false;
    const unsigned key = name[0];
    if (key < 1 || key > 9) {
      AppendQuoted(out_, body);
      return true;
    }
    line.modOp = &op;
    SetKeyHead(op, key);
    out_ += indirect ? " IND " : " ";
    AppendQuoted(out_, name.subspan(1));
    return true;
  }
  if (op.operand == tables::OperandKind::kKeyAssignment) {
    if (name.empty()) return false;  // an empty name clears the key
    SetHead(line, op);
    AppendQuoted(out_, name.first(name.size() - 1));
    out_ += ' ';
    out_ += op.keyWord;
    out_ += ' ';
    AppendTwoDigits(out_, name.back() + 1u);
    return true;
  }
  if (name.empty() && leadSize == 1) return false;
  SetHead(line, op);
  if (indirect) out_ += "IND ";
  AppendQuoted(out_, name);
  return true;
}

}  // namespace orrikey::decoder
