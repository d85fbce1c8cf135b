#pragma once

// Program listings as people share them, read into program lines.
//
// A listing is UTF-8 text (a byte-order mark allowed) in the calculator's own
// notation or a looser one: line numbers, "▸" before labels, the header
// "00 { n-Byte Prgm }", comment lines, glyphs, ASCII spellings of the glyphs
// and the calculator's escapes inside texts. A file that is not valid UTF-8
// is a program text file of single-byte display codes, read as it stands.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::listing {

// One program line in display codes, as the encoder reads it, with the line
// of the file it came from (counting from 1, every line counted).
struct ListingLine {
  size_t fileLine;
  std::string text;
};

// A line that cannot become a program line, and why.
struct ListingError {
  size_t fileLine;
  std::string reason;
};

struct ReadListingResult {
  std::vector<ListingLine> lines;  // without the dropped lines
  std::vector<ListingError> errors;
};

ReadListingResult ReadListing(std::string_view fileBytes);

// The same reading a line at a time, in the order of the file, for a reader
// that keeps no copy of the lines: a program line's text lasts only until
// the next is taken.
using TakeLine = std::function<void(size_t fileLine, std::string_view text)>;
using TakeError = std::function<void(ListingError error)>;
void ReadListing(std::string_view fileBytes, const TakeLine& take, const TakeError& refuse);

// The part of a listing's line that holds its instruction, without the line
// number and the "▸"; empty for a line that holds none.
std::string_view InstructionOf(std::string_view line);

// Whether a text file is a listing rather than program text. Both are often
// UTF-8 now, but only a listing may drop comment lines and read escapes, so
// the editor reads a file as a listing only when it looks like one.
bool LooksLikeListing(std::string_view fileBytes);

// Whether most lines are numbered, or a header stands among them: then the
// text is a listing, even where it would read as UTF-8 program text
// (programtext/Utf8.h) too.
bool NumberedOrHeaded(std::string_view fileBytes);

// The ASCII spellings a listing may use for the calculator's glyphs, as
// "spelling  glyph" lines for the command line's help, the glyphs aligned.
std::string DescribeSpellings();

}  // namespace orrikey::listing
