#include "cli/Output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "cli/ExitStatus.h"
#include "cli/Input.h"
#include "cli/Messages.h"
#include "files/FileIO.h"
#include "files/Recovery.h"

namespace orrikey::cli {

bool PrintOut(std::string_view text) {
  errno = 0;
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  const int error = errno ? errno : EIO;
  Complain(std::string("Cannot write to standard output. ") + std::strerror(error));
  return false;
}

int WriteOutput(const std::string& path, std::string_view bytes) {
  if (path == kStandardStream) return PrintOut(bytes) ? kOk : kUsageOrFileError;
  try {
    files::WriteWholeFile(path, bytes);
  } catch (const std::runtime_error& error) {
    return FileError(error);
  }
  return kOk;
}

bool Report::Pass(bool end) {
  constexpr size_t kChunk = 1 << 16;
  if (!end && text_.size() < kChunk) return true;
  const bool printed = PrintOut(text_);
  text_.clear();
  return printed;
}

void RecoverWrites() {
  for (const files::InterruptedWrite& write : files::RecoverInterruptedWrites())
    if (!write.message.empty()) Complain(write.message);
}

}  // namespace orrikey::cli
