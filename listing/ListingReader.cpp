#include "listing/ListingReader.h"

#include "programtext/TextEscapes.h"
#include "programtext/Utf8.h"
#include "tables/Tables.h"
#include "text/CalculatorNames.h"
#include "text/Characters.h"
#include "text/CodePage.h"
#include "text/Comment.h"
#include "text/Lines.h"
#include "text/QuotedText.h"
#include "text/Trim.h"
#include "text/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace orrikey::listing {
namespace {

using text::IsBlank;
using text::IsDigit;
using text::SkipBlanks;
using text::SkipDigits;

// The ASCII characters that stand first, and second, in some spelling:
// every spelling has two characters at least, and a pair of characters that
// may start one is rare, so the spellings are tried only after it. Made as
// the program starts.
struct SpellingStarts {
  std::array<bool, 0x80> first{};
  std::array<bool, 0x80> second{};
  bool At(unsigned char c, unsigned char next) const {
    return c < 0x80 && next < 0x80 && first[c] && second[next];
  }
};
const SpellingStarts kSpellingStarts = [] {
  SpellingStarts starts;
  for (const tables::TextPair& spelling : tables::AsciiSpellings()) {
    starts.first[static_cast<unsigned char>(spelling.key[0])] = true;
    starts.second[static_cast<unsigned char>(spelling.key[1])] = true;
  }
  return starts;
}();

bool IsQuote(char32_t c) { return c == U'"' || c == U'“' || c == U'”'; }

constexpr size_t kTypographicQuoteLength = std::string_view("“").size();

// The glyphs a listing writes in names where program text has ASCII.
char32_t ProgramTextGlyph(char32_t c) {
  switch (c) {
    case U'×': return U'x';
    case U'↑': return U'^';
    default: return c;
  }
}

// Whether the text at `at` is `word`, moving past it. The first byte
// mostly differs and settles it.
bool Take(std::string_view line, size_t& at, std::string_view word) {
  if (at >= line.size() || line[at] != word[0] || line.substr(at, word.size()) != word) return false;
  at += word.size();
  return true;
}

constexpr std::string_view kLabelMark = "\xE2\x96\xB8";

// "00 { 9-Byte Prgm }", the number before the brace optional.
bool IsHeader(std::string_view line) {
  size_t at = SkipDigits(line, 0);
  if (at > 0) at = SkipBlanks(line, at);
  if (!Take(line, at, "{")) return false;
  at = SkipBlanks(line, at);
  const size_t digits = at;
  at = SkipDigits(line, at);
  if (at == digits || !Take(line, at, "-Byte")) return false;
  const size_t blanks = at;
  at = SkipBlanks(line, at);
  if (at == blanks || !Take(line, at, "Prgm")) return false;
  at = SkipBlanks(line, at);
  return Take(line, at, "}") && at == line.size();
}

// The length of the line number and the "▸" or blanks after it, before the
// instruction; nothing when the line has none. A number before a comment is
// the instruction itself.
std::optional<size_t> LineNumberLength(std::string_view line) {
  const size_t digits = SkipDigits(line, 0);
  if (digits == 0) return std::nullopt;
  const auto startsInstruction = [&](size_t at) {
    return at < line.size() && !IsBlank(line[at]) && line[at] != '@';
  };
  size_t at = SkipBlanks(line, digits);
  if (size_t mark = at; Take(line, mark, kLabelMark)) {
    mark = SkipBlanks(line, mark);
    if (startsInstruction(mark)) return mark;
  }
  if (at > digits && startsInstruction(at)) return at;
  return std::nullopt;
}

// A number as listings write it: "E" or "e" for the exponent mark, with or
// without "+", and a decimal comma.
bool IsAsciiNumber(std::string_view text) {
  const auto isPoint = [&](size_t at) { return at < text.size() && (text[at] == '.' || text[at] == ','); };
  size_t at = text.starts_with('-') ? 1 : 0;
  const size_t digits = at;
  at = SkipDigits(text, at);
  if (at > digits) {
    if (isPoint(at)) at = SkipDigits(text, at + 1);
  } else {
    if (!isPoint(at)) return false;
    const size_t fraction = at + 1;
    at = SkipDigits(text, fraction);
    if (at == fraction) return false;
  }
  if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
    ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    const size_t exponent = at;
    at = SkipDigits(text, at);
    if (at == exponent) return false;
  }
  return at == text.size();
}

// The number in display codes: no blank, quote or spelling is in it to read.
void ProgramTextNumber(std::string_view number, std::string& out) {
  constexpr char kExponentMark = '\x98';
  for (size_t i = 0; i < number.size(); ++i) {
    if (number[i] == ',') {
      out += '.';
    } else if (number[i] == 'E' || number[i] == 'e') {
      out += kExponentMark;
      if (number[i + 1] == '+') ++i;
    } else {
      out += number[i];
    }
  }
}

bool IsComment(std::string_view line) {
  if (line.empty()) return false;
  const char first = line[0];
  return first == '@' || first == '#' || first == ';' || (first == '/' && line.substr(1).starts_with('/'));
}

// Reads the UTF-8 bytes of a line as they are: an ASCII byte is its own
// display code, and only the characters of several bytes are looked up.
struct Converter {
  std::string_view text;
  size_t at = 0;
  std::string& out;
  std::string error;

  bool Fail(std::string reason) {
    error = std::move(reason);
    return false;
  }

  // The character at `at`; the file was UTF-8, so its lines are too.
  std::optional<text::Utf8Char> CharAt() {
    const auto read = text::ReadUtf8Char(text.substr(at));
    if (!read) error = "The line is not UTF-8";
    return read;
  }

  bool NoCode(char32_t c) {
    return Fail("The character " + text::NameCharacter(c) + " has no calculator code");
  }

  bool Unquoted(size_t end) {
    while (at < end) {
      const auto byte = static_cast<unsigned char>(text[at]);
      if (byte == ' ' || byte == '\t') {  // a run of blanks is one blank
        if (!out.empty() && out.back() != ' ') out += ' ';
        ++at;
      } else if (byte < 0x80) {
        if (!SpellingAt()) out += static_cast<char>(byte);
      } else {
        const auto read = CharAt();
        if (!read) return false;
        const char32_t glyph = ProgramTextGlyph(read->c);
        const auto code = glyph < 0x80 ? std::optional<unsigned char>(glyph) : text::TypedDisplayCode(glyph);
        if (!code) return NoCode(read->c);
        out += static_cast<char>(*code);
        at += read->length;
      }
    }
    return true;
  }

  // Moves past the spelling at `at` when there is one.
  bool SpellingAt() {
    const auto second = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0x80;
    if (kSpellingStarts.At(static_cast<unsigned char>(text[at]), second)) {
      for (const tables::TextPair& spelling : tables::AsciiSpellings()) {
        if (!text.substr(at).starts_with(spelling.key)) continue;
        out += spelling.value;
        at += spelling.key.size();
        return true;
      }
    }
    ++at;
    return false;
  }

  // The characters between the opening quote at `at` and the closing one,
  // read as calculator codes and written as program text spells them.
  bool Quoted(size_t close) {
    std::string characters;  // calculator codes
    for (at += QuoteLength(); at < close;) {
      if (const auto escape = programtext::ReadEscape(text.substr(at, close - at))) {
        characters += static_cast<char>(escape->code);
        at += escape->length;
        continue;
      }
      const auto read = CharAt();
      if (!read) return false;
      const std::optional<unsigned char> code = IsQuote(read->c) ? '"' : text::TypedDisplayCode(read->c);
      if (!code) return NoCode(read->c);
      characters += static_cast<char>(text::QuotedCode(*code));
      at += read->length;
    }
    out += '"';
    const size_t start = out.size();
    out.resize(start + text::QuotedRoom(characters.size()));
    const char* end = text::WriteQuotedChars(
        out.data() + start, {reinterpret_cast<const std::uint8_t*>(characters.data()), characters.size()});
    out.resize(static_cast<size_t>(end - out.data()));
    out += '"';
    at += QuoteLength();
    return true;
  }

  size_t QuoteLength() const { return text[at] == '"' ? 1 : kTypographicQuoteLength; }

  bool Run() {
    const text::LineParts parts = text::SplitLine(text, text::Notation::kListing);
    const size_t end = std::min(parts.comment, text.size());
    if (parts.textOpen == text::LineParts::npos) return Unquoted(end);
    if (!Unquoted(parts.textOpen)) return false;
    if (parts.textClose == text::LineParts::npos) return Fail("The text has no closing quote");
    return Quoted(parts.textClose) && Unquoted(end);
  }
};

// The ASCII bytes that the converter copies as they are, wherever they
// stand: all but the quote, the comment marks and the blanks.
constexpr std::array<bool, 0x80> kCopiedBytes = [] {
  std::array<bool, 0x80> copied{};
  for (unsigned char c = '!'; c < 0x7F; ++c) copied[c] = c != '"' && c != '@' && c != ';' && c != '/';
  return copied;
}();

// Whether the instruction is program text as it stands, as most lines are:
// ASCII without a quote, a comment mark, a tab, a run of blanks or a
// spelling. The instruction is trimmed, so a blank there stands alone only
// between two other bytes.
bool ReadsAsItStands(std::string_view instruction) {
  for (size_t i = 0; i < instruction.size(); ++i) {
    const auto c = static_cast<unsigned char>(instruction[i]);
    const auto next = i + 1 < instruction.size() ? static_cast<unsigned char>(instruction[i + 1]) : '\0';
    if (c == ' ' ? next == ' ' : c >= 0x80 || !kCopiedBytes[c]) return false;
    if (kSpellingStarts.At(c, next)) return false;
  }
  return true;
}

// A register, flag or label number written without its leading zero
// ("SF 5", "RCL IND 3") is the one the calculator stores with it; the
// instructions whose direct numbers have no leading zero keep theirs as
// written.
void PadNumber(std::string& out) {
  const size_t digit = out.size() - 1;
  if (out.size() < 3 || !IsDigit(out[digit]) || out[digit - 1] != ' ') return;
  const size_t blank = out.find(' ');
  const std::string_view between(out.data() + blank + 1, digit - blank - 1);
  if (!between.empty() && between != "IND ") return;
  const std::string_view name(out.data(), blank);
  const auto ops = tables::ModOps();
  const auto op =
      std::find_if(ops.begin(), ops.end(), [&](const tables::ModOp& o) { return o.name == name; });
  if (op == ops.end()) return;
  const bool plain =
      op->operand == tables::OperandKind::kWord || op->operand == tables::OperandKind::kPlainNumber;
  if (between.empty() && plain) return;
  out.insert(digit, 1, '0');
}

// The program line into `out`, or false and why not into `error`.
bool ProgramLine(std::string_view instruction, std::string& out, std::string& error) {
  out.clear();
  if (IsAsciiNumber(instruction)) {
    ProgramTextNumber(instruction, out);
    return true;
  }
  if (ReadsAsItStands(instruction)) {
    out = instruction;
  } else if (Converter converter{instruction, 0, out, {}}; !converter.Run()) {
    error = std::move(converter.error);
    return false;
  }
  // The calculator writes the append sign right before its text.
  if (out.starts_with("\x9F\"")) out.replace(0, 1, "\x9F ");
  const std::string_view name = std::string_view(out).substr(0, out.find(' '));
  // Every such name ends in the sign.
  const bool withSign = name.ends_with('*') || name.ends_with('/');
  for (const tables::TextPair& spelling : tables::AsciiNames()) {
    if (!withSign || name != spelling.key) continue;
    out.replace(0, name.size(), spelling.value);
    break;
  }
  const std::string_view trimmed = text::Trim(out);
  out.erase(static_cast<size_t>(trimmed.data() - out.data()) + trimmed.size());
  out.erase(0, static_cast<size_t>(trimmed.data() - out.data()));
  PadNumber(out);
  text::UseCalculatorName(out);
  return true;
}

}  // namespace

// Program text has numbers of its own, but rarely on most of its lines; a
// listing numbers nearly all of them, or holds a header.
bool NumberedOrHeaded(std::string_view fileBytes) {
  size_t numbered = 0, counted = 0;
  bool headed = false;
  text::ForEachLine(fileBytes, [&](size_t, std::string_view line) {
    line = text::Trim(line);
    headed = headed || IsHeader(line);
    if (line.empty() || IsComment(line)) return;
    ++counted;
    if (LineNumberLength(line)) ++numbered;
  });
  return headed || (counted > 0 && numbered * 5 >= counted * 4);
}

std::string_view InstructionOf(std::string_view line) {
  line = text::Trim(line);
  if (line.empty() || IsComment(line)) return {};
  // Only a digit or a brace starts a header or a line number.
  if (IsDigit(line[0]) || line[0] == '{') {
    if (IsHeader(line)) return {};
    if (const auto number = LineNumberLength(line)) line.remove_prefix(*number);
  }
  if (size_t mark = 0; Take(line, mark, kLabelMark)) line = text::Trim(line.substr(mark));
  return IsComment(line) ? std::string_view() : line;
}

// Besides numbers, a listing holds glyphs that program text in 8-bit
// display codes never does.
bool LooksLikeListing(std::string_view fileBytes) {
  if (!text::IsUtf8(fileBytes)) return false;
  constexpr std::string_view kListingMarks[] = {"\xE2\x96\xB8", "\xC3\x97", "\xE1\xB4\x87", "\xE2\x94\x9C",
                                                "\xCE\xA3",     "\xE2\x86", "\xE2\x89",     "\xE2\x80\x9C",
                                                "[LF]",         "[ESC]"};
  for (std::string_view mark : kListingMarks)
    if (fileBytes.find(mark) != std::string_view::npos) return true;
  return NumberedOrHeaded(fileBytes);
}

void ReadListing(std::string_view fileBytes, const TakeLine& take, const TakeError& refuse) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const bool utf8 = text::IsUtf8(fileBytes);
  if (utf8 && fileBytes.starts_with(kByteOrderMark)) fileBytes.remove_prefix(kByteOrderMark.size());
  // Every line is converted into this one buffer, which then has room for
  // the longest.
  std::string programLine;
  text::ForEachLine(fileBytes, [&](size_t number, std::string_view line) {
    if (!utf8) {
      if (!text::Trim(line).empty()) take(number, line);
      return;
    }
    const std::string_view instruction = InstructionOf(line);
    if (instruction.empty()) return;
    std::string error;
    if (ProgramLine(instruction, programLine, error)) take(number, programLine);
    else refuse({number, std::move(error)});
  });
}

ReadListingResult ReadListing(std::string_view fileBytes) {
  ReadListingResult result;
  // Nearly every line of a listing is a program line.
  result.lines.reserve(text::ExpectedLines(fileBytes));
  ReadListing(
      fileBytes,
      [&](size_t fileLine, std::string_view line) {
        result.lines.push_back({fileLine, std::string(line)});
      },
      [&](ListingError error) { result.errors.push_back(std::move(error)); });
  return result;
}

std::string DescribeSpellings() {
  std::string text;
  for (const auto spellings : {tables::AsciiSpellings(), tables::AsciiNames()}) {
    for (const tables::TextPair& spelling : spellings) {
      text += spelling.key;
      text.append(8 - std::min<size_t>(spelling.key.size(), 7), ' ');
      text += programtext::Utf8Of(spelling.value) + '\n';
    }
  }
  return text;
}

}  // namespace orrikey::listing
