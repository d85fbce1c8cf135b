#include "files/Recovery.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "files/Descriptor.h"
#include "files/PendingWrite.h"
#include "files/Writing.h"

namespace orrikey::files {
namespace {

using Outcome = InterruptedWrite::Outcome;

bool IsRecorded(const PendingEntry& entry, const struct stat& info) {
  return info.st_dev == entry.device && info.st_ino == entry.inode;
}

// A write of a program file ends within moments of its entry; a file
// modified long after was written by someone else since, in place (as an
// editor keeping the file's hard links does), and is theirs now.
constexpr time_t kLongestWrite = 60;

bool ChangedSince(int entryFd, const struct stat& file) {
  struct stat entry {};
  return fstat(entryFd, &entry) == 0 && file.st_mtime > entry.st_mtime + kLongestWrite;
}

// Nothing when the path no longer names the file that was being written:
// whatever it names now is not the entry's to change.
std::optional<InterruptedWrite> Restore(int entryFd, const PendingEntry& entry,
                                        const std::string& entryName) {
  // Checked before opening, which could start whatever a device does.
  struct stat info {};
  if (stat(entry.path.c_str(), &info) == 0 ? !IsRecorded(entry, info) : errno == ENOENT || errno == ENOTDIR)
    return std::nullopt;
  const Descriptor file(open(entry.path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() >= 0 && fstat(file.get(), &info) == 0 &&
      (!IsRecorded(entry, info) || !S_ISREG(info.st_mode) || ChangedSince(entryFd, info)))
    return std::nullopt;
  if (file.get() < 0 || !RestoreFrom(entryFd, entry.contentAt, file.get())) {
    return InterruptedWrite{Outcome::kFailed, entry.path,
                            "Cannot restore file \"" + entry.path + "\". " + std::strerror(errno) +
                                ". Its old content stays in \"" + entryName + "\""};
  }
  return InterruptedWrite{
      Outcome::kRestored, entry.path,
      "\"" + entry.path + "\" was restored to its content before a write that was cut short"};
}

std::optional<InterruptedWrite> Remove(const PendingEntry& entry) {
  struct stat info {};
  if (lstat(entry.path.c_str(), &info) != 0 || !IsRecorded(entry, info)) return std::nullopt;
  if (unlink(entry.path.c_str()) != 0 && errno != ENOENT) {
    return InterruptedWrite{Outcome::kFailed, entry.path,
                            "Cannot remove file \"" + entry.path + "\". " + std::strerror(errno)};
  }
  return InterruptedWrite{Outcome::kRemoved, entry.path, ""};
}

// All entries, or those that restore the file `only`.
std::vector<InterruptedWrite> Recover(const struct stat* only) {
  std::vector<InterruptedWrite> results;
  const std::string folder = PendingFolder();
  if (folder.empty()) return results;
  const auto close = [](DIR* open) { closedir(open); };
  const std::unique_ptr<DIR, decltype(close)> listing(opendir(folder.c_str()), close);
  if (!listing) return results;
  while (const dirent* item = readdir(listing.get())) {
    if (item->d_name[0] == '.') continue;
    const std::string name = folder + "/" + item->d_name;
    const Descriptor entryFile(open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (entryFile.get() < 0) continue;
    PendingEntry entry;
    // Another write of the same file is waited for: the content this write
    // keeps must be whole.
    const bool same = only && ReadEntry(entryFile.get(), entry) && entry.restore && IsRecorded(entry, *only);
    if (only && !same) continue;
    struct stat info {};
    // A writer holds its entry's lock while it writes, and unlinks the entry
    // before it lets go.
    if (flock(entryFile.get(), same ? LOCK_EX : LOCK_EX | LOCK_NB) != 0 ||
        fstat(entryFile.get(), &info) != 0 || info.st_nlink == 0 || !S_ISREG(info.st_mode))
      continue;
    // Made in part by a writer that died before it touched its file.
    if (!ReadEntry(entryFile.get(), entry)) {
      unlink(name.c_str());
      continue;
    }
    const auto result = entry.restore ? Restore(entryFile.get(), entry, name) : Remove(entry);
    if (!result || result->outcome != Outcome::kFailed) unlink(name.c_str());
    if (result) results.push_back(*result);
  }
  return results;
}

}  // namespace

std::vector<InterruptedWrite> RecoverInterruptedWrites() { return Recover(nullptr); }

std::vector<InterruptedWrite> RecoverWritesTo(const struct stat& file) { return Recover(&file); }

}  // namespace orrikey::files
