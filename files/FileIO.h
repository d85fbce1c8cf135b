#pragma once

// Whole-file reads and writes with the program's error texts.

#include <sys/types.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orrikey::files {

// The most a program file, raw or text, may hold. Real programs stay below
// 30 KB; the editor's text pane holds as much as this.
inline constexpr size_t kMaxProgramFileSize = size_t{4} << 20;

// The file's bytes. Only a regular file of at most kMaxProgramFileSize bytes is
// read; a folder, a FIFO or a device is refused without waiting on it. Throws
// std::runtime_error "Cannot open file "%s". %s" (the path, then the reason).
std::string ReadWholeFile(const std::string& path);

// Replaces the file's whole content with the bytes. They go to a new file in
// the same folder first, which then takes the old file's place with its
// owner, group and mode where this process may give them, so a failed write
// leaves the old content as it was. A file with other hard links, or in a
// folder this process may not write or may not replace it in, is overwritten
// in place instead, after a copy of its old content in the journal of
// pending writes (see Recovery.h), which the next start writes back if this
// process dies half way; when no copy can be kept there, the file is left
// as it was and the write fails. A path that names something other than a regular file, after
// following symbolic links, or a file this process may not write, is refused.
// Throws std::runtime_error "Cannot create file "%s". %s" (the path, then the
// reason).
void WriteWholeFile(const std::string& path, std::string_view bytes);

// The errors above, for the readers and writers of the file formats.
std::runtime_error CannotOpen(const std::string& path, std::string_view reason);
std::runtime_error CannotCreate(const std::string& path, std::string_view reason);
// "Cannot open file" for input larger than kMaxProgramFileSize, with the limit.
std::runtime_error TooLarge(const std::string& path);

// Why a file of this mode, which is not a regular file, is neither read nor
// replaced: "Is a directory" or "Not a regular file".
std::string NotARegularFile(mode_t mode);

}  // namespace orrikey::files
