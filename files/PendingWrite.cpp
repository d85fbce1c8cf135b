#include "files/PendingWrite.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "files/Descriptor.h"
#include "files/Writing.h"

namespace orrikey::files {
namespace {

// An entry: this line, then "restore" or "remove", the device, the inode, the
// path's length and the old content's length, each of 20 digits, on a line of
// their own; then the path, then the old content.
constexpr std::string_view kMagic = "orrikey pending write 1\n";
constexpr size_t kNumberWidth = 20;

std::string Number(uintmax_t value) {
  char digits[kNumberWidth + 1];
  std::snprintf(digits, sizeof digits, "%020" PRIuMAX, value);
  return digits;
}

std::string Header(const PendingEntry& entry, uintmax_t contentSize) {
  return std::string(kMagic) + (entry.restore ? "restore " : "remove ") + Number(entry.device) + " " +
         Number(entry.inode) + " " + Number(entry.path.size()) + " " + Number(contentSize) + "\n" +
         entry.path;
}

// Reads the numbers of an entry's second line, each followed by a blank or,
// the last, by the end of the line.
bool ReadNumbers(std::string_view& text, uintmax_t* numbers, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), numbers[i]);
    const char separator = i + 1 < count ? ' ' : '\n';
    if (error != std::errc() || end == text.data() + text.size() || *end != separator) return false;
    text.remove_prefix(static_cast<size_t>(end - text.data()) + 1);
  }
  return true;
}

// The path as it reads from any folder, for a restart that may begin in
// another one.
bool Absolute(const std::string& path, std::string& absolute) {
  if (path.starts_with('/')) {
    absolute = path;
    return true;
  }
  char folder[PATH_MAX];
  if (!getcwd(folder, sizeof folder)) return false;
  absolute = std::string(folder) + "/" + path;
  return true;
}

// The folder and those above it, made for this user alone where missing.
bool MakeFolders(const std::string& path) {
  if (mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) return true;
  if (errno != ENOENT) return false;
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    if (mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string EntryName(const std::string& folder) {
  static std::atomic<unsigned> serial = 0;
  return folder + "/write-" + std::to_string(getpid()) + "-" + std::to_string(serial++);
}

// A new entry file, locked. Unnamed where the file system allows, so that it
// is only seen once whole; else named, in which case `name` is set.
int CreateEntry(const std::string& folder, std::string& name) {
  Descriptor file(open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
  if (file.get() >= 0) return flock(file.get(), LOCK_EX) == 0 ? file.Release() : -1;
  if (errno != EOPNOTSUPP && errno != EISDIR) return -1;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = EntryName(folder);
    Descriptor named(open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (named.get() < 0 && errno == EEXIST) continue;
    if (named.get() < 0) break;
    struct stat info {};
    // A restart that found it empty before the lock took it for a dead
    // writer's and removed it.
    if (flock(named.get(), LOCK_EX) == 0 && fstat(named.get(), &info) == 0 && info.st_nlink > 0)
      return named.Release();
    unlink(name.c_str());
  }
  name.clear();
  return -1;
}

}  // namespace

std::string StateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/orrikey";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/orrikey";
  return {};
}

std::string PendingFolder() {
  const std::string state = StateFolder();
  return state.empty() ? state : state + "/pending";
}

bool ReadEntry(int fd, PendingEntry& entry) {
  struct stat info {};
  char head[kMagic.size() + 8 + 4 * (kNumberWidth + 1)];
  const ssize_t got = pread(fd, head, sizeof head, 0);
  if (fstat(fd, &info) != 0 || got <= 0) return false;
  std::string_view text(head, static_cast<size_t>(got));
  if (!text.starts_with(kMagic)) return false;
  text.remove_prefix(kMagic.size());
  entry.restore = text.starts_with("restore ");
  if (!entry.restore && !text.starts_with("remove ")) return false;
  text.remove_prefix(text.find(' ') + 1);
  uintmax_t numbers[4];  // device, inode, path length, content length
  if (!ReadNumbers(text, numbers, 4) || numbers[2] > PATH_MAX * 4) return false;
  entry.device = static_cast<dev_t>(numbers[0]);
  entry.inode = static_cast<ino_t>(numbers[1]);
  entry.path.resize(numbers[2]);
  const off_t pathAt = static_cast<off_t>(text.data() - head);
  entry.contentAt = pathAt + static_cast<off_t>(numbers[2]);
  // Only a whole entry has the size it gives, and only an entry that
  // restores holds content.
  return pread(fd, entry.path.data(), entry.path.size(), pathAt) == static_cast<ssize_t>(entry.path.size()) &&
         static_cast<uintmax_t>(info.st_size) == entry.contentAt + numbers[3] &&
         (entry.restore || numbers[3] == 0);
}

bool RestoreFrom(int entry, off_t contentAt, int file) {
  const off_t length = Copy(entry, contentAt, file, 0);
  return length >= 0 && ftruncate(file, length) == 0 && fsync(file) == 0;
}

bool PendingWrite::BeginRestore(int file, const struct stat& info, const std::string& path) {
  PendingEntry entry{true, info.st_dev, info.st_ino, {}, 0};
  return Absolute(path, entry.path) && Begin(entry, file);
}

bool PendingWrite::BeginRemove(const struct stat& info, const std::string& path) {
  PendingEntry entry{false, info.st_dev, info.st_ino, {}, 0};
  return Absolute(path, entry.path) && Begin(entry, -1);
}

bool PendingWrite::Begin(const PendingEntry& entry, int content) {
  Finish();
  const std::string folder = PendingFolder();
  if (folder.empty()) {
    errno = ENOENT;
    return false;
  }
  std::string name;
  if (!MakeFolders(folder)) return false;
  Descriptor file(CreateEntry(folder, name));
  if (file.get() < 0) return false;
  const auto nextName = [&] { return EntryName(folder); };
  // The header goes last: until it is there, the entry is no entry at all.
  const std::string header = Header(entry, 0);
  const off_t length = content >= 0 ? Copy(content, 0, file.get(), static_cast<off_t>(header.size())) : 0;
  // Only the old content needs to outlive the machine: a temporary name is
  // gone from the folder soon after its entry anyway.
  const bool written = length >= 0 && lseek(file.get(), 0, SEEK_SET) == 0 &&
                       WriteAll(file.get(), Header(entry, static_cast<uintmax_t>(length))) &&
                       (!entry.restore || fsync(file.get()) == 0) &&
                       (!name.empty() || LinkUnnamed(file.get(), nextName, name));
  if (!written) {
    const int error = errno;
    if (!name.empty()) unlink(name.c_str());
    errno = error;
    return false;
  }
  if (entry.restore) {
    const Descriptor folderFile(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFile.get() < 0 || fsync(folderFile.get()) != 0) {
      const int error = errno;
      unlink(name.c_str());
      errno = error;
      return false;
    }
  }
  fd_ = file.Release();
  name_ = name;
  contentAt_ = static_cast<off_t>(header.size());
  return true;
}

bool PendingWrite::Restore(int file) const { return RestoreFrom(fd_, contentAt_, file); }

void PendingWrite::Keep() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  name_.clear();
}

void PendingWrite::Finish() {
  // Unnamed first: a restart that takes the lock once it is free finds no links.
  if (fd_ >= 0) unlink(name_.c_str());
  Keep();
}

}  // namespace orrikey::files
