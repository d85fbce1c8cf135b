#pragma once

// Whole-file reads and writes with the program's error texts.

#include <string>
#include <string_view>

namespace orrikey {

// The file's bytes. Throws std::runtime_error "Cannot open file "%s". %s"
// (the path, then the system's reason) when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace orrikey
