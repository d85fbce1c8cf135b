#pragma once

// A line's text, written into room made for it beforehand: the line reader
// knows how long a line can grow before it reads one, so that writing a
// character is a store, not a check of a string's capacity.

#include <cstddef>
#include <string_view>

namespace orrikey::decoder {

class LineText {
 public:
  explicit LineText(char* start) : start_(start), at_(start) {}

  LineText& operator+=(char c) {
    *at_++ = c;
    return *this;
  }
  // Names and operand words are a few characters: copied one by one, they
  // cost less than a call to copy them.
  LineText& operator+=(std::string_view text) {
    for (char c : text) *at_++ = c;
    return *this;
  }
  // Drops what the line holds so far.
  void Restart() { at_ = start_; }
  char* at() { return at_; }
  void MoveTo(char* at) { at_ = at; }
  size_t size() const { return static_cast<size_t>(at_ - start_); }

 private:
  char* start_;
  char* at_;
};

}  // namespace orrikey::decoder
