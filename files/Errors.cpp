#include "files/FileIO.h"

namespace orrikey::files {

std::runtime_error CannotOpen(const std::string& path, std::string_view reason) {
  return std::runtime_error("Cannot open file \"" + path + "\". " + std::string(reason));
}

std::runtime_error TooLarge(const std::string& path) {
  return CannotOpen(path, "It is larger than " + std::to_string(kMaxProgramFileSize >> 20) +
                              " MiB, the most a program file may hold");
}

std::runtime_error CannotCreate(const std::string& path, std::string_view reason) {
  return std::runtime_error("Cannot create file \"" + path + "\". " + std::string(reason));
}

}  // namespace orrikey::files
