#pragma once

// Where a program line's quoted text and comment are. Every reader of
// program lines (the encoder, the listing reader, the symbol scanner, the
// highlighter) splits a line this one way, so a line means the same to all.
//
// The quoted text runs from the line's first quote to the first later quote
// that only blanks and then a comment or the line's end follow; failing
// that, to the line's last quote. So texts may hold quotes ("say "hi"") and
// comments may quote (STO 05 @ the "X" register). A comment starts at the
// first comment mark outside the text.

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace orrikey::text {

// Program text marks comments with "@" alone; listings as people share them
// also with ";" and "//", and quote with typographic quotes too.
enum class Notation { kProgramText, kListing };

struct LineParts {
  static constexpr size_t npos = std::string_view::npos;
  size_t textOpen = npos;   // the opening quote, when a text starts before the comment
  size_t textClose = npos;  // its closing quote; npos when it has none
  size_t comment = npos;    // the comment mark
};

template <typename Char>
LineParts SplitLine(std::basic_string_view<Char> line, Notation notation) {
  const bool listing = notation == Notation::kListing;
  // Listings are read as UTF-8 bytes, where a typographic quote takes three.
  const auto quoteLength = [&](size_t i) -> size_t {
    const auto c = static_cast<char32_t>(line[i]);
    if (c == U'"') return 1;
    if (!listing) return 0;
    if constexpr (sizeof(Char) == 1) {
      // The byte both typographic quotes start with.
      if (static_cast<unsigned char>(line[i]) != 0xE2) return 0;
      const std::basic_string_view<Char> rest = line.substr(i);
      return rest.starts_with("\xE2\x80\x9C") || rest.starts_with("\xE2\x80\x9D") ? 3 : 0;
    } else {
      return c == U'“' || c == U'”' ? 1 : 0;
    }
  };
  const auto isQuote = [&](size_t i) { return quoteLength(i) > 0; };
  const auto isMark = [&](size_t i) {
    const Char c = line[i];
    return c == Char('@') ||
           (listing &&
            (c == Char(';') || (c == Char('/') && i + 1 < line.size() && line[i + 1] == Char('/'))));
  };
  const auto firstMarkFrom = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
      if (isMark(i)) return i;
    return LineParts::npos;
  };

  LineParts parts;
  // A mark before the first quote starts the comment, and no text follows.
  size_t open = 0;
  for (; open < line.size() && !isQuote(open); ++open)
    if (isMark(open)) {
      parts.comment = open;
      return parts;
    }
  if (open == line.size()) return parts;
  parts.textOpen = open;

  size_t last = line.size();
  while (--last > open && !isQuote(last)) {
  }
  if (last == open) return parts;  // an open text runs to the end of the line
  parts.textClose = last;
  for (size_t i = open + 1; i < last; ++i) {
    if (!isQuote(i)) continue;
    size_t next = i + quoteLength(i);
    while (next < line.size() && (line[next] == Char(' ') || line[next] == Char('\t'))) ++next;
    if (next == line.size() || isMark(next)) {
      parts.textClose = i;
      break;
    }
  }
  parts.comment = firstMarkFrom(parts.textClose + 1, line.size());
  return parts;
}

// The line without its comment.
inline std::string_view WithoutComment(std::string_view line, Notation notation) {
  // Most lines hold no comment mark at all, and a byte test tells so.
  const bool listing = notation == Notation::kListing;
  const auto mayMark = [listing](char c) { return c == '@' || (listing && (c == ';' || c == '/')); };
  if (std::none_of(line.begin(), line.end(), mayMark)) return line;
  return line.substr(0, SplitLine(line, notation).comment);
}

}  // namespace orrikey::text
