// Overwriting a file in place, kept safe by a copy of its old content in the
// journal of pending writes.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "files/Descriptor.h"
#include "files/FileIO.h"
#include "files/PendingWrite.h"
#include "files/Writing.h"

namespace orrikey::files {
namespace {

bool Overwrite(int fd, std::string_view bytes) {
  return lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) &&
         ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
}

std::string CannotKeep(int error) {
  const std::string folder = PendingFolder();
  if (folder.empty())
    return "Its old content cannot be kept while it is rewritten in place: neither XDG_STATE_HOME "
           "nor HOME names a folder";
  return "Its old content cannot be kept in \"" + folder + "\" while it is rewritten in place. " +
         std::strerror(error);
}

}  // namespace

void WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes) {
  const Descriptor file(open(target.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (file.get() < 0 || fstat(file.get(), &info) != 0) throw CannotCreate(path, std::strerror(errno));
  if (!S_ISREG(info.st_mode)) throw CannotCreate(path, NotARegularFile(info.st_mode));
  // A write to this file that was cut short is undone first: the content kept
  // for this write must be whole.
  for (const InterruptedWrite& earlier : RecoverWritesTo(info)) {
    if (earlier.outcome == InterruptedWrite::Outcome::kFailed) throw std::runtime_error(earlier.message);
  }
  PendingWrite pending;
  if (!pending.BeginRestore(file.get(), info, target)) throw CannotCreate(path, CannotKeep(errno));
  if (Overwrite(file.get(), bytes)) return;
  const int error = errno;
  if (pending.Restore(file.get())) throw CannotCreate(path, std::strerror(error));
  const std::string kept = pending.name();
  pending.Keep();
  throw CannotCreate(path, std::string(std::strerror(error)) + ". Its old content is kept in \"" + kept +
                               "\" and is written back when Orrikey next starts");
}

}  // namespace orrikey::files
