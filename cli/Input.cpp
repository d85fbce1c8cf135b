#include "cli/Input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "cli/Messages.h"
#include "files/FileIO.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"

namespace orrikey::cli {
namespace {

// Held to the size limit of files, so that a pipe that never ends does not
// take all memory.
std::string ReadStandardInput() {
  std::string bytes;
  char buffer[1 << 16];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    bytes.append(buffer, count);
    if (bytes.size() > files::kMaxProgramFileSize) throw files::TooLarge("-");
  }
  if (std::ferror(stdin)) throw files::CannotOpen("-", std::strerror(errno ? errno : EIO));
  return bytes;
}

}  // namespace

std::string ReadRawInput(const std::string& input) {
  return input == kStandardStream ? ReadStandardInput() : files::ReadRawFile(input);
}

std::string ReadTextInput(const std::string& input) {
  std::string bytes = input == kStandardStream ? ReadStandardInput() : files::ReadWholeFile(input);
  files::RefuseNulByte(input, bytes);
  return bytes;
}

}  // namespace orrikey::cli
