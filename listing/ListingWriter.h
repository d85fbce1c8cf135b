#pragma once

// Decoded program lines as the calculator lists them: a header
// "00 { n-Byte Prgm }" before each program (n without its END), numbered
// lines, "▸" before every label, each instruction in UTF-8 as program text
// writes it. The listing reads back into the same program.

#include <span>
#include <string>
#include <string_view>

#include "decoder/Reader.h"

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
  size_t lines_ = 0;
  size_t bytes_ = 0;
};

}  // namespace orrikey::listing
