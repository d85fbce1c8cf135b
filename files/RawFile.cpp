#include "files/RawFile.h"

#include "files/FileIO.h"

namespace orrikey {

std::string ReadRawFile(const std::string& path) { return ReadWholeFile(path); }

void SaveHexStringToFile(const std::string& path, std::string_view hexString) {
  WriteWholeFile(path, hexString);
}

}  // namespace orrikey
