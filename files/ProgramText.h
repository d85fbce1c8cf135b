#pragma once

// The program text file (".42S"): the program-text pane's bytes as they
// stand (programtext/EightBit.h), no header.

#include <string>
#include <string_view>

namespace orrikey::files {

// Throws std::runtime_error "Cannot open file "%s". %s" for program text that
// holds a NUL byte, naming its line.
void RefuseNulByte(const std::string& path, std::string_view bytes);

// Writes the text byte for byte as the file's whole content. The old file
// stays intact when the write fails. Throws std::runtime_error
// "Cannot create file "%s". %s".
void WriteProgramTextFile(const std::string& path, std::string_view text);

}  // namespace orrikey::files
