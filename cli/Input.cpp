#include "cli/Input.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "cli/Messages.h"
#include "files/FileIO.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"

namespace orrikey::cli {
namespace {

// Held to the size limit of files, so that a pipe that never ends does not
// take all memory.
std::string ReadStandardInput() {
  std::string bytes;
  char buffer[1 << 16];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    bytes.append(buffer, count);
    if (bytes.size() > files::kMaxProgramFileSize) throw files::TooLarge("-");
  }
  if (std::ferror(stdin)) throw files::CannotOpen("-", std::strerror(errno ? errno : EIO));
  return bytes;
}

bool IsProgramFile(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return extension == ".raw" || extension == ".42s" || extension == ".txt" || extension == ".hp42s" ||
         extension == ".free42";
}

// Links to folders are not followed, so that a link loop cannot hold the
// walk. A folder that cannot be read is named, and the walk goes on.
bool AddProgramFilesUnder(const std::filesystem::path& folder, std::vector<std::string>& files) {
  namespace fs = std::filesystem;
  std::error_code error;
  std::vector<fs::path> entries;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    entries.push_back(it->path());
  if (error) {
    Complain("Cannot read folder \"" + folder.string() + "\". " + error.message());
    return false;
  }
  std::sort(entries.begin(), entries.end());
  bool whole = true;
  for (const fs::path& entry : entries) {
    if (fs::is_directory(fs::symlink_status(entry, error))) whole &= AddProgramFilesUnder(entry, files);
    else if (fs::is_regular_file(entry, error) && IsProgramFile(entry)) files.push_back(entry.string());
  }
  return whole;
}

}  // namespace

std::vector<std::string> ExpandFolders(std::span<const std::string> paths, bool& failed) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (path != kStandardStream && std::filesystem::is_directory(path, error))
      failed |= !AddProgramFilesUnder(path, files);
    else files.push_back(path);
  }
  return files;
}

std::string ReadRawInput(const std::string& input) {
  return input == kStandardStream ? ReadStandardInput() : files::ReadRawFile(input);
}

std::string ReadTextInput(const std::string& input) {
  std::string bytes = input == kStandardStream ? ReadStandardInput() : files::ReadWholeFile(input);
  files::RefuseNulByte(input, bytes);
  return bytes;
}

}  // namespace orrikey::cli
