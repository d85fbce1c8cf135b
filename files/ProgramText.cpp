#include "files/ProgramText.h"

#include "files/FileIO.h"
#include "text/Lines.h"

namespace orrikey::files {

// A NUL byte is refused rather than cut off with the text after it: the panes
// cannot hold one, and a text file has none.
void RefuseNulByte(const std::string& path, std::string_view bytes) {
  const size_t nul = bytes.find('\0');
  if (nul == std::string::npos) return;
  size_t line = 1;
  text::ForEachLine(bytes.substr(0, nul + 1), [&line](size_t number, std::string_view) { line = number; });
  throw CannotOpen(path,
                   "Line " + std::to_string(line) + " holds a NUL byte, which program text cannot hold");
}

}  // namespace orrikey::files
