#pragma once

// The parts of WriteWholeFile shared by its two ways of replacing a file's
// content and by the journal that undoes a write cut short.

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/Recovery.h"

namespace orrikey::files {

// Writes all the bytes at the descriptor's offset; false with errno set.
bool WriteAll(int fd, std::string_view bytes);

// Gives the unnamed file `fd` (O_TMPFILE) a name, each try one that
// `nextName` makes, until one is free; false with errno set, `name` empty.
bool LinkUnnamed(int fd, const std::function<std::string()>& nextName, std::string& name);

// Copies `from`, from `fromAt` to its end, into `to` at `toAt`: the number of
// bytes copied, or -1 with errno set.
off_t Copy(int from, off_t fromAt, int to, off_t toAt);

// Overwrites the regular file `target` itself, for when a new file cannot
// take its place: it has other hard links, or its folder may not be written
// or may not have the file replaced. Its old content is kept in the journal
// of pending writes first, written back if the write fails, and by the next
// start if the process dies meanwhile. Throws the "Cannot create file" error
// for `path`.
void WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes);

// RecoverInterruptedWrites for the writes to this one file alone.
std::vector<InterruptedWrite> RecoverWritesTo(const struct stat& file);

}  // namespace orrikey::files
