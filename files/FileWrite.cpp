// Writing a whole file without ever leaving it half written: the new content
// goes to an unnamed file in the same folder, which is flushed to the disk and
// then takes the old file's name. Until then nothing in the folder changes,
// and the short while the new file has a name of its own is recorded in the
// journal of pending writes, so that a process killed half way leaves no
// trace for long. The signals that ask a process to end wait until the
// temporary name is gone.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "files/Descriptor.h"
#include "files/FileIO.h"
#include "files/PendingWrite.h"
#include "files/SignalsHeld.h"
#include "files/Writing.h"

namespace orrikey::files {
namespace {

// A symbolic link keeps pointing at the file it named: the file is replaced,
// not the link. A link that leads nowhere is refused rather than replaced.
std::string FileBehindLinks(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  if (!real) throw CannotCreate(path, std::strerror(errno));
  return real.get();
}

std::string FolderOf(const std::string& target) {
  const size_t slash = target.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : target.substr(0, slash);
}

// A name of the process's own beside the target, short so that any target
// name fits in the folder beside it.
std::string TemporaryName(const std::string& folder) {
  static std::atomic<unsigned> serial = 0;
  return folder + "/.orrikey" + std::to_string(getpid()) + "-" + std::to_string(serial++);
}

// The new file; `name` stays empty while it has none. File systems without
// unnamed files get a named one.
int CreateTemporary(const std::string& folder, mode_t mode, std::string& name) {
  const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) return fd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(folder);
    const int named = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (named >= 0 || errno != EEXIST) return named;
  }
  name.clear();
  return -1;
}

// The replaced file's owner, group and mode, as far as this process may give
// them. A set-user-ID or set-group-ID bit only goes with the owner and group
// it was set for.
void TakeOver(int fd, const struct stat& old) {
  mode_t mode = old.st_mode & 07777;
  if (fchown(fd, old.st_uid, old.st_gid) != 0) {
    fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID | S_ISVTX);
  }
  fchmod(fd, mode);
}

}  // namespace

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  const SignalsHeld held;
  const std::string target = FileBehindLinks(path);
  // Renaming over a device or a FIFO would replace the node itself.
  struct stat old {};
  const bool replacing = stat(target.c_str(), &old) == 0;
  if (replacing && !S_ISREG(old.st_mode)) throw CannotCreate(path, NotARegularFile(old.st_mode));
  // Write permission in the folder alone does not make a file this user's to change.
  if (replacing && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    throw CannotCreate(path, std::strerror(errno));
  if (replacing && old.st_nlink > 1) return WriteInPlace(path, target, bytes);

  const std::string folder = FolderOf(target);
  std::string name;
  // Never readable by more users than the finished file will be.
  Descriptor file(CreateTemporary(folder, replacing ? 0600 : 0666, name));
  if (file.get() < 0) {
    if (replacing && (errno == EACCES || errno == EPERM)) return WriteInPlace(path, target, bytes);
    throw CannotCreate(path, std::strerror(errno));
  }
  // Without the journal, the write goes on: the name it could not record
  // lasts no longer than the write.
  PendingWrite pending;
  auto fail = [&](int error) {
    if (!name.empty()) unlink(name.c_str());
    return CannotCreate(path, std::strerror(error));
  };
  struct stat info {};
  if (fstat(file.get(), &info) != 0) throw fail(errno);
  if (!name.empty()) pending.BeginRemove(info, name);
  if (!WriteAll(file.get(), bytes)) throw fail(errno);
  if (replacing) TakeOver(file.get(), old);
  if (fsync(file.get()) != 0) throw fail(errno);
  // The journal has each name before the folder does.
  const auto recordedName = [&] {
    std::string next = TemporaryName(folder);
    pending.BeginRemove(info, next);
    return next;
  };
  if (name.empty() && !LinkUnnamed(file.get(), recordedName, name)) throw fail(errno);
  if (!file.Close()) throw fail(errno);
  if (rename(name.c_str(), target.c_str()) != 0) {
    // In a sticky folder, such as /tmp, only a file's owner may replace it;
    // a file that is writable is overwritten instead.
    const int error = errno;
    if (!replacing || (error != EPERM && error != EACCES)) throw fail(error);
    unlink(name.c_str());
    pending.Finish();
    return WriteInPlace(path, target, bytes);
  }
  pending.Finish();
  // The rename itself reaches the disk with the folder.
  const Descriptor folderFile(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFile.get() >= 0) fsync(folderFile.get());
}

}  // namespace orrikey::files
