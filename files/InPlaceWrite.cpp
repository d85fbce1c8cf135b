// Overwriting a file in place, kept safe by a copy of its old content.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "files/Descriptor.h"
#include "files/FileIO.h"
#include "files/Writing.h"

namespace orrikey::files {
namespace {

// Copies from the start of one file to the start of the other, and cuts the
// other to the length copied.
bool CopyWhole(int from, int to) {
  if (lseek(from, 0, SEEK_SET) != 0 || lseek(to, 0, SEEK_SET) != 0) return false;
  char buffer[1 << 16];
  off_t length = 0;
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    if (!WriteAll(to, std::string_view(buffer, static_cast<size_t>(got)))) return false;
    length += got;
  }
  return ftruncate(to, length) == 0;
}

bool Overwrite(int fd, std::string_view bytes) {
  return lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) &&
         ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
}

}  // namespace

void WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes) {
  const Descriptor file(open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) throw CannotCreate(path, std::strerror(errno));
  // The copy has a name while the file is rewritten, so that the old content
  // outlives even a process killed half way.
  std::string copyName = (std::filesystem::temp_directory_path() / "orrikey-old-XXXXXX").string();
  const Descriptor copy(mkostemp(copyName.data(), O_CLOEXEC));
  if (copy.get() < 0 || !CopyWhole(file.get(), copy.get())) {
    const int error = errno;
    if (copy.get() >= 0) unlink(copyName.c_str());
    throw CannotCreate(path, std::strerror(error));
  }
  if (Overwrite(file.get(), bytes)) {
    unlink(copyName.c_str());
    return;
  }
  const int error = errno;
  if (CopyWhole(copy.get(), file.get()) && fsync(file.get()) == 0) {
    unlink(copyName.c_str());
    throw CannotCreate(path, std::strerror(error));
  }
  throw CannotCreate(
      path, std::string(std::strerror(error)) + ". Its old content is in \"" + copyName + "\"");
}

}  // namespace orrikey::files
