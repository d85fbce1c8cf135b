#include "files/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace orrikey {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::runtime_error CannotOpen(const std::string& path, int error) {
  return std::runtime_error("Cannot open file \"" + path + "\". " + std::strerror(error));
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) throw CannotOpen(path, errno);
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  // A folder opens but cannot be read: report it like any unreadable file.
  if (std::ferror(file.get())) throw CannotOpen(path, errno ? errno : EIO);
  return bytes;
}

}  // namespace orrikey
