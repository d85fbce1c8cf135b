#pragma once

// The journal of writes under way: one entry per write, in the user's state
// folder, that lets the next start undo what a killed writer left behind.
// An entry is whole and locked (flock) before it has a name, and its writer
// holds the lock until the entry is gone, so an entry whose lock is free was
// left by a writer that died.

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

#include "files/Recovery.h"

namespace orrikey::files {

// StateFolder()'s "pending" folder, the journal's.
std::string PendingFolder();

// What an entry says.
struct PendingEntry {
  // The file `path` (device, inode) is being overwritten in place and its old
  // content follows in the entry, from `contentAt`; else `path` is a
  // temporary name, with that inode, about to be renamed over a file.
  bool restore = false;
  dev_t device = 0;
  ino_t inode = 0;
  std::string path;
  off_t contentAt = 0;
};

// Reads an entry; false when `fd` holds no whole entry.
bool ReadEntry(int fd, PendingEntry& entry);

// Writes the old content that the entry `entry` keeps from `contentAt` back
// into `file`, whole and flushed to the disk; false with errno set.
bool RestoreFrom(int entry, off_t contentAt, int file);

// The writer's side of an entry: removed when this goes out of scope, unless
// kept.
class PendingWrite {
 public:
  PendingWrite() = default;
  PendingWrite(const PendingWrite&) = delete;
  PendingWrite& operator=(const PendingWrite&) = delete;
  ~PendingWrite() { Finish(); }

  // Records that `file`, named `path`, is about to be overwritten in place,
  // with all it holds now. The entry reaches the disk before this returns.
  // False, with errno set, when it cannot be recorded.
  bool BeginRestore(int file, const struct stat& info, const std::string& path);
  // Records the name `path` that the temporary file `info` is about to get.
  bool BeginRemove(const struct stat& info, const std::string& path);

  // Writes the old content back into the file; see RestoreFrom.
  bool Restore(int file) const;
  // The entry's own name, for a message.
  const std::string& name() const { return name_; }
  // Leaves the entry for the next start to act on.
  void Keep();
  void Finish();

 private:
  bool Begin(const PendingEntry& entry, int content);

  int fd_ = -1;
  std::string name_;
  off_t contentAt_ = 0;
};

}  // namespace orrikey::files
