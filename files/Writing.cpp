#include "files/Writing.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace orrikey::files {

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

bool LinkUnnamed(int fd, const std::function<std::string()>& nextName, std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = nextName();
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno != EEXIST) break;
  }
  name.clear();
  return false;
}

off_t Copy(int from, off_t fromAt, int to, off_t toAt) {
  if (lseek(from, fromAt, SEEK_SET) != fromAt || lseek(to, toAt, SEEK_SET) != toAt) return -1;
  char buffer[1 << 16];
  off_t length = 0;
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) return length;
    if (!WriteAll(to, std::string_view(buffer, static_cast<size_t>(got)))) return -1;
    length += got;
  }
}

}  // namespace orrikey::files
