#pragma once

// Decoded program lines as the calculator lists them: UTF-8, a header
// "00 { n-Byte Prgm }" before each program (n without its END), numbered
// lines, "▸" before every label, glyphs as Unicode and the calculator's
// escapes inside texts. The listing reads back into the same program.

#include <span>
#include <string>
#include <string_view>

#include "decoder/Decode.h"

namespace orrikey::listing {

// A program line in display codes, as the decoder writes it, the number of
// bytes it stands for, whether its row ends a program, and whether the
// calculator drops it as it reads the program (a NULL), so that the listing
// neither shows nor counts it.
struct ListedLine {
  std::string_view text;
  size_t size;
  bool endsProgram;
  bool dropped = false;
};

// A program that lacks its END gets one, as the calculator lists it; the
// header counts the bytes of the program without its END.
std::string WriteListing(std::span<const ListedLine> lines);
// Decoded bytes as the calculator lists them: the instructions before any stop.
std::string WriteListingOf(const decoder::Decoded& decoded);

// The same listing written as the lines come, a program at a time, so that
// a large file is never held whole: each program's lines are kept only until
// its END.
class ListingStream {
 public:
  explicit ListingStream(std::string& out) : out_(out) {}
  // A line that ends a program appends the program to the output.
  void Add(const ListedLine& line);
  // Appends the last program when it lacks its END.
  void Finish();

 private:
  // The header, the lines held, then their END.
  void WriteProgram();

  std::string& out_;
  std::string body_;  // the program's lines so far, as the listing writes them
  size_t used_ = 0;   // of body_
  size_t lines_ = 0;
  size_t bytes_ = 0;
};

// One program line as the listing writes it, without its number: the name
// and operands in glyphs, quoted texts with the calculator's escapes, the
// append sign right before its text.
std::string ListingInstruction(std::string_view line);
// The same into room made beforehand, for writers that make room for many
// lines at once: at least ListingRoom of the line's size. Returns the end of
// what it wrote.
// No display code is spelled in more than five bytes ("[ESC]", "€9f"), and
// spellings are copied a word at a time, so the last copy runs over by a word.
inline constexpr size_t kWidestSpelling = 5;
inline constexpr size_t kSpellingWord = 8;
constexpr size_t ListingRoom(size_t codes) { return kWidestSpelling * codes + 2 * kSpellingWord; }
char* WriteListingInstruction(char* at, std::string_view line);
// Whether the line is written as it stands, so that a line already in place
// need not be written again.
bool StandsAsItIs(std::string_view line);
// WriteListingInstruction for a line that does not stand as it is, so that
// it is not tested again.
char* SpellListingInstruction(char* at, std::string_view line);

}  // namespace orrikey::listing
