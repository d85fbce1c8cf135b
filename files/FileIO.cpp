#include "files/FileIO.h"
#include "files/Descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace orrikey::files {
namespace {

void RefuseUnlessRegular(const std::string& path, const struct stat& info) {
  if (!S_ISREG(info.st_mode)) throw CannotOpen(path, NotARegularFile(info.st_mode));
}

}  // namespace

std::string NotARegularFile(mode_t mode) {
  return S_ISDIR(mode) ? std::strerror(EISDIR) : "Not a regular file";
}

std::string ReadWholeFile(const std::string& path) {
  // Checked before opening as well: opening a device can start whatever the
  // device does, and opening a FIFO waits for a writer.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) throw CannotOpen(path, std::strerror(errno));
  RefuseUnlessRegular(path, info);

  // O_NONBLOCK in case another file took the name in between.
  const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) throw CannotOpen(path, std::strerror(errno));
  if (fstat(file.get(), &info) != 0) throw CannotOpen(path, std::strerror(errno));
  RefuseUnlessRegular(path, info);
  if (static_cast<uintmax_t>(info.st_size) > kMaxProgramFileSize) throw TooLarge(path);

  // The size is only a hint: files such as those in /proc report none, and a
  // file may grow while it is read.
  std::string bytes;
  bytes.reserve(static_cast<size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw CannotOpen(path, std::strerror(errno));
    if (got == 0) return bytes;
    if (bytes.size() + static_cast<size_t>(got) > kMaxProgramFileSize) throw TooLarge(path);
    bytes.append(buffer, static_cast<size_t>(got));
  }
}

}  // namespace orrikey::files
