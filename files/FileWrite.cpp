// Writing a whole file without ever leaving it half written: the new content
// goes to a new file beside it, which is flushed to the disk and then renamed
// over the old one.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "files/FileIO.h"

namespace orrikey::files {
namespace {

// A symbolic link keeps pointing at the file it named: the file is replaced,
// not the link. A link that leads nowhere is refused rather than replaced.
std::string FileBehindLinks(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr),
                                                         &std::free);
  if (!real) throw CannotCreate(path, std::strerror(errno));
  return real.get();
}

// A file of a new name beside the target, created with the permissions that
// any new file gets. The name holds the process id and a serial number, so
// two writes never meet; a name left behind by a crash is skipped.
int CreateBeside(const std::string& target, std::string& name) {
  static std::atomic<unsigned> serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(serial++);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = EIO;  // no progress and no reason given
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  const std::string target = FileBehindLinks(path);
  // Renaming over a device or a FIFO would replace the node itself.
  struct stat old {};
  const bool replacing = stat(target.c_str(), &old) == 0;
  if (replacing && !S_ISREG(old.st_mode)) throw CannotCreate(path, NotARegularFile(old.st_mode));

  std::string temporary;
  const int fd = CreateBeside(target, temporary);
  auto fail = [&](int error) {
    if (fd >= 0) unlink(temporary.c_str());
    return CannotCreate(path, std::strerror(error));
  };
  if (fd < 0) throw fail(errno);

  // A replaced file keeps its permissions.
  if (replacing) fchmod(fd, old.st_mode & 07777);

  if (!WriteAll(fd, bytes) || fsync(fd) != 0) {
    const int error = errno;
    close(fd);
    throw fail(error);
  }
  if (close(fd) != 0 || rename(temporary.c_str(), target.c_str()) != 0) throw fail(errno);
}

}  // namespace orrikey::files
