#pragma once

// The two ways WriteWholeFile replaces a file's content.

#include <sys/stat.h>

#include <string>
#include <string_view>

namespace orrikey::files {

// Writes all the bytes at the descriptor's offset; false with errno set.
bool WriteAll(int fd, std::string_view bytes);

// Overwrites the regular file `target` itself, for when a new file cannot
// take its place: it has other hard links, or its folder may not be written.
// Its old content is copied to the temporary folder first and written back
// if the write fails. Throws the "Cannot create file" error for `path`.
void WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes);

}  // namespace orrikey::files
