#include "programtext/Utf8.h"

#include <algorithm>
#include <array>
#include <vector>

#include "programtext/Codes.h"
#include "programtext/TextEscapes.h"
#include "tables/Tables.h"
#include "text/CalculatorNames.h"
#include "text/CodePage.h"
#include "text/QuotedText.h"
#include "text/Utf8.h"

namespace orrikey::programtext {
namespace {

constexpr unsigned char kEscapeMark = 0x80;  // "€" in program text
// No display code is spelled in more than five bytes ("[ESC]", "€9f").
constexpr size_t kWidestSpelling = 5;

// What one display code becomes, worked out once.
struct Spelling {
  std::array<char, kWidestSpelling> bytes;
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
};

Alphabets BuildAlphabets() {
  Alphabets a;
  for (unsigned code = 0; code < 256; ++code) {
    a.words[code] = SpellingOf(text::DisplayCodeUtf8(static_cast<unsigned char>(code)));
    // The escape mark is spelled alike in program text and in listings, so
    // an escape passes through as it stands, its hex digits after it.
    std::string inText;
    if (code == kEscapeMark) inText = "€";
    else AppendListingChar(inText, text::QuotedCode(static_cast<unsigned char>(code)));
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

void Put(std::string& out, const Spelling& spelling) { out.append(spelling.bytes.data(), spelling.size); }

void Put(std::string& out, const Spellings& spellings, std::string_view codes) {
  for (unsigned char code : codes) Put(out, spellings[code]);
}

// Only a row's name starts a line with a name the calculator spells
// otherwise, and a line starts with the first word of its row's name, so the
// rows that do, a handful, are known before any line is read.
struct RenamedRow {
  const void* row;
  text::Renaming renaming;
};
using RenamedRows = std::vector<RenamedRow>;

RenamedRows RowsRenamed(Naming naming) {
  const auto renamingOf =
      naming == Naming::kProgramText ? text::CalculatorNameAt : text::CalculatorSpellingAt;
  RenamedRows rows;
  for (const auto table : {tables::FixedOps(), tables::ReadOnlyOps()})
    for (const tables::FixedOp& op : table)
      if (const auto renaming = renamingOf(op.name)) rows.push_back({&op, *renaming});
  for (const tables::ModOp& op : tables::ModOps())
    if (const auto renaming = renamingOf(op.name)) rows.push_back({&op, *renaming});
  return rows;
}

const RenamedRows kRenamedInProgramText = RowsRenamed(Naming::kProgramText);
const RenamedRows kRenamedInListings = RowsRenamed(Naming::kListing);

std::optional<text::Renaming> RenamingOf(const decoder::Instruction& instruction, Naming naming) {
  const void* row = instruction.fixedOp ? static_cast<const void*>(instruction.fixedOp) : instruction.modOp;
  const RenamedRows& rows = naming == Naming::kProgramText ? kRenamedInProgramText : kRenamedInListings;
  for (const RenamedRow& renamed : rows)
    if (renamed.row == row) return renamed.renaming;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadUtf8(std::string_view fileBytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (fileBytes.starts_with(kByteOrderMark)) fileBytes.remove_prefix(kByteOrderMark.size());
  std::string codes;
  codes.reserve(fileBytes.size());
  const auto take = [&codes](char32_t c) {
    // Line breaks and tabs are the file's own, not display codes.
    const auto code =
        c == U'\r' || c == U'\n' || c == U'\t' ? std::optional<unsigned char>(c) : text::DisplayCodeOf(c);
    if (code) codes += char(*code);
    return code.has_value();
  };
  if (!text::ReadUtf8(fileBytes, take)) return std::nullopt;
  return codes;
}

// A line stands when every code spells as itself, those of a quoted text as
// the text spells them; a lone quote is written as an empty text.
bool StandsAsItIs(std::string_view codes) {
  int quotes = 0;
  for (const char c : codes) {
    if (c == '"') quotes += 1;
    else if (!(quotes == 1 ? kSpelled.plainInText : kSpelled.plain)[static_cast<unsigned char>(c)])
      return false;
  }
  return quotes == 0 || quotes == 2;
}

void AppendUtf8(std::string& out, std::string_view codes) {
  if (const auto renaming = text::CalculatorNameAt(codes))
    return AppendUtf8(out, std::string(renaming->name) += codes.substr(renaming->replaced));
  if (StandsAsItIs(codes)) out += codes;
  else SpellUtf8(out, codes);
}

std::string Utf8Of(std::string_view codes) {
  std::string out;
  AppendUtf8(out, codes);
  return out;
}

// The codes are written where they go and spelled again only where they do
// not stand as they are.
void AppendUtf8(std::string& out, const decoder::Instruction& instruction, Naming naming) {
  if (const auto renaming = RenamingOf(instruction, naming))
    return AppendUtf8(out, std::string(renaming->name) += CodesOf(instruction).substr(renaming->replaced));
  const size_t start = out.size();
  AppendCodes(out, instruction);
  const std::string_view codes = std::string_view(out).substr(start);
  if (StandsAsItIs(codes)) return;
  const std::string written(codes);
  out.resize(start);
  SpellUtf8(out, written);
}

// The name runs to the first blank or quote; its words, to the quote.
void SpellUtf8(std::string& out, std::string_view line) {
  const Alphabets& spelled = kSpelled;
  const char* at = line.data();
  const char* const end = at + line.size();
  const char* const nameStart = at;
  for (; at != end && *at != ' ' && *at != '"'; ++at) Put(out, spelled.name[static_cast<unsigned char>(*at)]);
  // The append sign stands right before its text.
  const bool append = at - nameStart == 1 && *nameStart == '\x9F' && at != end && *at == ' ' &&
                      (at + 1 == end || at[1] == '"');
  if (append) ++at;
  for (; at != end && *at != '"'; ++at) Put(out, spelled.words[static_cast<unsigned char>(*at)]);
  if (at == end) return;

  std::string_view text(at + 1, static_cast<size_t>(end - at - 1));
  // A lone quote writes an empty text, and what follows it stands outside.
  const size_t close = std::min(text.rfind('"'), text.size());
  const std::string_view after = close < text.size() ? text.substr(close + 1) : text;
  text = close < text.size() ? text.substr(0, close) : "";
  out += '"';
  Put(out, spelled.text, text);
  out += '"';
  Put(out, spelled.words, after);
}

}  // namespace orrikey::programtext
