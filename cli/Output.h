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

// Writes back what a run killed while it wrote left half done, and names
// the files; every run does this before it reads or writes a file.
void RecoverWrites();

}  // namespace orrikey::cli
