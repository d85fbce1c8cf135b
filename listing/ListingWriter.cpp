#include "listing/ListingWriter.h"

#include "listing/TextEscapes.h"
#include "tables/Tables.h"
#include "text/CalculatorNames.h"
#include "text/CodePage.h"
#include "text/QuotedText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

namespace orrikey::listing {
namespace {

constexpr unsigned char kEscapeMark = 0x80;  // "€" in program text

// What one display code becomes in the listing, worked out once, as whole
// words so that writing a character is one copy.
struct Spelling {
  std::array<char, kSpellingWord> bytes;
  unsigned char size;
};
using Spellings = std::array<Spelling, 256>;

Spelling SpellingOf(std::string_view text) {
  Spelling spelling{};
  spelling.size = static_cast<unsigned char>(text.copy(spelling.bytes.data(), kWidestSpelling));
  return spelling;
}

struct Alphabets {
  Spellings words;  // names and operands
  Spellings name;   // names spell "^" as the arrow
  Spellings text;   // inside quotes: glyphs and escapes
  // Spelled as themselves wherever they stand outside quotes; and the same
  // inside quotes.
  std::array<bool, 256> plain;
  std::array<bool, 256> plainInText;
  Spelling quote = SpellingOf("\"");
};

Alphabets BuildAlphabets() {
  Alphabets a;
  for (unsigned code = 0; code < 256; ++code) {
    a.words[code] = SpellingOf(text::DisplayCodeUtf8(static_cast<unsigned char>(code)));
    // The escape mark is spelled alike in program text and in listings, so
    // an escape passes through as it stands, its hex digits after it.
    std::string inText;
    if (code == kEscapeMark) inText = "€";
    else listing::AppendListingChar(inText, text::QuotedCode(static_cast<unsigned char>(code)));
    a.text[code] = SpellingOf(inText);
  }
  a.name = a.words;
  a.name['^'] = SpellingOf("↑");
  for (unsigned code = 0; code < 256; ++code) {
    const auto itself = [&](const Spelling& s) {
      return s.size == 1 && s.bytes[0] == static_cast<char>(code);
    };
    a.plain[code] = itself(a.words[code]) && itself(a.name[code]) && code != '"';
    a.plainInText[code] = itself(a.text[code]) && code != '"';
  }
  return a;
}

// Made as the program starts, so that a line pays no test that they are.
const Alphabets kSpelled = BuildAlphabets();

// Writes into room made beforehand, a whole word at a time.
class Pen {
 public:
  explicit Pen(char* at) : at_(at) {}
  void Put(const Spelling& spelling) {
    std::memcpy(at_, spelling.bytes.data(), spelling.bytes.size());
    at_ += spelling.size;
  }
  void Put(const Spellings& spellings, std::string_view codes) {
    for (unsigned char code : codes) Put(spellings[code]);
  }
  void Put(std::string_view text) {
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }
  void PutNumber(size_t number) { at_ = std::to_chars(at_, at_ + 20, number).ptr; }
  void MoveTo(char* at) { at_ = at; }
  char* at() const { return at_; }

 private:
  char* at_;
};

// A run of codes tested with one branch, the loop unrolled.
template <size_t kRun>
bool RunPlain(const std::array<bool, 256>& plain, const char* codes) {
  bool all = true;
  for (size_t k = 0; k < kRun; ++k) all &= plain[static_cast<unsigned char>(codes[k])];
  return all;
}

// Eight codes at a time; a shorter line is read as two runs that overlap, a
// code read twice tested twice.
bool AllPlain(const std::array<bool, 256>& plain, std::string_view line) {
  const char* codes = line.data();
  const size_t n = line.size();
  if (n >= 8) {
    for (size_t at = 0; at + 8 < n; at += 8)
      if (!RunPlain<8>(plain, codes + at)) return false;
    return RunPlain<8>(plain, codes + n - 8);
  }
  if (n >= 4) return RunPlain<4>(plain, codes) & RunPlain<4>(plain, codes + n - 4);
  if (n >= 2) return RunPlain<2>(plain, codes) & RunPlain<2>(plain, codes + n - 2);
  return n == 0 || plain[static_cast<unsigned char>(codes[0])];
}

// A quoted text stands as it is when its quotes pair and every character
// does; a lone quote is written as an empty text.
bool QuotedTextStands(const Alphabets& spelled, std::string_view line) {
  int quotes = 0;
  for (const char c : line) {
    if (c == '"') quotes += 1;
    else if (!(quotes == 1 ? spelled.plainInText : spelled.plain)[static_cast<unsigned char>(c)])
      return false;
  }
  return quotes == 2;
}

}  // namespace

bool StandsAsItIs(std::string_view line) {
  return AllPlain(kSpelled.plain, line) || QuotedTextStands(kSpelled, line);
}

char* WriteListingInstruction(char* start, std::string_view line) {
  // The calculator's name is never longer than the table name, so the room
  // made for the line holds it.
  if (const auto renaming = text::CalculatorNameAt(line))
    return WriteListingInstruction(start, std::string(renaming->name) += line.substr(renaming->replaced));
  if (StandsAsItIs(line)) return std::copy(line.begin(), line.end(), start);
  return SpellListingInstruction(start, line);
}

// The name runs to the first blank or quote; its words, to the quote. The
// pen is a local so that its place stays in a register.
char* SpellListingInstruction(char* start, std::string_view line) {
  const Alphabets& spelled = kSpelled;
  Pen pen(start);
  const char* at = line.data();
  const char* const end = at + line.size();
  const char* const nameStart = at;
  for (; at != end && *at != ' ' && *at != '"'; ++at) pen.Put(spelled.name[static_cast<unsigned char>(*at)]);
  // The append sign stands right before its text.
  const bool append = at - nameStart == 1 && *nameStart == '\x9F' && at != end && *at == ' ' &&
                      (at + 1 == end || at[1] == '"');
  if (append) ++at;
  for (; at != end && *at != '"'; ++at) pen.Put(spelled.words[static_cast<unsigned char>(*at)]);
  if (at == end) return pen.at();

  std::string_view text(at + 1, static_cast<size_t>(end - at - 1));
  // A lone quote writes an empty text, and what follows it stands outside.
  const size_t close = std::min(text.rfind('"'), text.size());
  const std::string_view after = close < text.size() ? text.substr(close + 1) : text;
  text = close < text.size() ? text.substr(0, close) : "";
  pen.Put(spelled.quote);
  pen.Put(spelled.text, text);
  pen.Put(spelled.quote);
  pen.Put(spelled.words, after);
  return pen.at();
}

namespace {

// A line's number with the mark after it, and the header, never take more.
constexpr size_t kNumberRoom = 24;
constexpr size_t kHeaderRoom = 48;

// The calculator's own spelling of the name that starts the line, when the
// tables name it otherwise (RDX, for RDX).
const tables::TextPair* AliasOf(std::string_view line) {
  for (const tables::TextPair& alias : tables::Aliases())
    if (line.starts_with(alias.value) &&
        (line.size() == alias.value.size() || line[alias.value.size()] == ' '))
      return &alias;
  return nullptr;
}

// The number, the label mark or a blank, the instruction and a line break.
char* WriteNumberedLine(char* at, size_t number, std::string_view line) {
  Pen pen(at);
  if (number < 10) pen.Put("0");
  pen.PutNumber(number);
  const std::string_view label = tables::LabelDefinition().name;
  const bool definesLabel =
      line.starts_with(label) && line.size() > label.size() && line[label.size()] == ' ';
  pen.Put(definesLabel ? "▸" : " ");
  if (const tables::TextPair* alias = AliasOf(line))
    pen.MoveTo(
        WriteListingInstruction(pen.at(), std::string(alias->key) += line.substr(alias->value.size())));
  else pen.MoveTo(WriteListingInstruction(pen.at(), line));
  pen.Put("\n");
  return pen.at();
}

// Grows `text` by doubling, so that a long program costs few copies.
char* RoomAt(std::string& text, size_t used, size_t room) {
  if (text.size() < used + room) text.resize(std::max(2 * text.size(), used + room));
  return text.data() + used;
}

}  // namespace

std::string ListingInstruction(std::string_view line) {
  std::string out(ListingRoom(line.size()), '\0');
  out.resize(static_cast<size_t>(WriteListingInstruction(out.data(), line) - out.data()));
  return out;
}

void ListingStream::Add(const ListedLine& line) {
  if (line.endsProgram) return WriteProgram();
  if (line.dropped) return;
  char* at = RoomAt(body_, used_, kNumberRoom + ListingRoom(line.text.size()));
  used_ = static_cast<size_t>(WriteNumberedLine(at, ++lines_, line.text) - body_.data());
  bytes_ += line.size;
}

void ListingStream::Finish() {
  if (lines_ > 0) WriteProgram();
}

// The header counts the bytes only now that the program has ended, so its
// lines wait in the body until then.
void ListingStream::WriteProgram() {
  const std::string_view end = tables::ProgramEnd().name;
  char* at = RoomAt(body_, used_, kNumberRoom + ListingRoom(end.size()));
  used_ = static_cast<size_t>(WriteNumberedLine(at, lines_ + 1, end) - body_.data());
  char header[kHeaderRoom];
  Pen pen(header);
  pen.Put("00 { ");
  pen.PutNumber(bytes_);
  pen.Put("-Byte Prgm }\n");
  out_.append(header, pen.at());
  out_.append(body_.data(), used_);
  used_ = 0;
  lines_ = 0;
  bytes_ = 0;
}

std::string WriteListing(std::span<const ListedLine> lines) {
  std::string out;
  ListingStream stream(out);
  for (const ListedLine& line : lines) stream.Add(line);
  stream.Finish();
  return out;
}

std::string WriteListingOf(const decoder::Decoded& decoded) {
  std::vector<ListedLine> lines;
  lines.reserve(decoded.lines.size());
  for (const decoder::Line& line : decoded.lines)
    lines.push_back({decoded.TextOf(line), line.size, line.endsProgram(), line.dropped()});
  return WriteListing(lines);
}

}  // namespace orrikey::listing
