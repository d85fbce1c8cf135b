#pragma once

// Decoded programs as the calculator lists them: a header
// "00 { n-Byte Prgm }" before each program (n without its END), numbered
// lines, "▸" before every label, each instruction in UTF-8 with the
// calculator's own spellings of its names. The listing reads back into the
// same program.

#include <string>

#include "decoder/Reader.h"

namespace orrikey::listing {

// Decoded bytes as the calculator lists them: the instructions before any
// stop. A program that lacks its END gets one, as the calculator lists it.
std::string WriteListingOf(const decoder::Decoded& decoded);

// The same listing written as the instructions come, a program at a time,
// so that a large file is never held whole: each program's lines are kept
// only until its END.
class ListingStream {
 public:
  explicit ListingStream(std::string& out) : out_(out) {}
  // An instruction that ends a program appends the program to the output.
  // One the calculator drops as it reads a program (a NULL) is neither
  // listed nor counted.
  void Add(const decoder::Instruction& instruction);
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
