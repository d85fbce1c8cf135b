#pragma once

// Where a run's results go: standard output, or files replaced whole
// through files/, which a write cut short never leaves half written.

#include <string>
#include <string_view>

namespace orrikey::cli {

// Scripts read standard output: when it cannot take the text (a full disk,
// say), this says so and gives false, and the run fails rather than ending
// as if all was written.
bool PrintOut(std::string_view text);

// The bytes as the whole content of the file at `path`, or standard output
// for "-"; says once why it could not, and gives the status.
int WriteOutput(const std::string& path, std::string_view bytes);

// Text for standard output, printed a chunk at a time as it is made, so
// that a report never grows with its file.
class Report {
 public:
  std::string& text() { return text_; }
  // Prints what has gathered once it fills a chunk, or all of it at the end;
  // false when standard output could not take it.
  bool Pass(bool end = false);

 private:
  std::string text_;
};

// Writes back what a run killed while it wrote left half done, and names
// the files; every run does this before it reads or writes a file.
void RecoverWrites();

}  // namespace orrikey::cli
