#pragma once

// The raw program file (".raw"): the program bytes and nothing else.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orrikey::files {

// Throws std::runtime_error "Cannot open file "%s". %s" (see ReadWholeFile).
std::string ReadRawFile(const std::string& path);

// Writes the bytes as the file's whole content. The old file stays intact when
// the write fails. Throws std::runtime_error "Cannot create file "%s". %s".
void WriteRawFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace orrikey::files
