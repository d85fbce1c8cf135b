#pragma once

// Whole-file reads and writes with the program's error texts.

#include <string>
#include <string_view>

namespace orrikey {

// The file's bytes. Throws std::runtime_error "Cannot open file "%s". %s"
// (the path, then the system's reason) when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Replaces the file's whole content with the bytes. They go to a new file in
// the same folder first, which then takes the old file's place, so a failed
// write leaves the old content as it was. Throws std::runtime_error
// "Cannot create file "%s". %s" (the path, then the system's reason).
void WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace orrikey
