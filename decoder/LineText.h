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
  // cost less than a call to copy them. The place is kept in a local, as a
  // character written could otherwise be the place itself.
  LineText& operator+=(std::string_view text) {
    char* at = at_;
    for (char c : text) *at++ = c;
    at_ = at;
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
