#include "files/RawFile.h"

#include "files/FileIO.h"

namespace orrikey::files {

std::string ReadRawFile(const std::string& path) { return ReadWholeFile(path); }

void WriteRawFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace orrikey::files
