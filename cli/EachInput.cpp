#include "cli/EachInput.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "cli/ExitStatus.h"
#include "cli/Input.h"
#include "cli/Messages.h"

namespace orrikey::cli {
namespace {

bool IsFolder(const std::string& path) {
  std::error_code error;
  return path.ends_with('/') || std::filesystem::is_directory(path, error);
}

// A file as the system knows it, whatever path reached it.
struct FileId {
  dev_t device;
  ino_t inode;
  bool operator==(const FileId&) const = default;
};

// Standard input is a file too when the shell redirects it from one.
std::optional<FileId> IdOf(const std::string& path) {
  struct stat status;
  const int result = path == kStandardStream ? fstat(STDIN_FILENO, &status) : stat(path.c_str(), &status);
  if (result != 0) return std::nullopt;
  return FileId{status.st_dev, status.st_ino};
}

// Two names of one file: the same path, or the same file reached another
// way. An output that does not exist yet has only its path.
bool SameFile(const std::string& a, const std::optional<FileId>& idOfA, const std::string& b,
              const std::optional<FileId>& idOfB) {
  return (idOfA && idOfA == idOfB) ||
         std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

// An output that would replace an input of the run, or that two inputs would
// both write, would lose a program without a word.
std::optional<std::string> OutputClash(const Arguments& arguments, std::string_view extension) {
  if (!arguments.output || *arguments.output == kStandardStream) return std::nullopt;
  const std::vector<std::string>& inputs = arguments.inputs;
  std::vector<std::optional<FileId>> inputIds;
  for (const std::string& input : inputs) inputIds.push_back(IdOf(input));
  std::vector<std::string> outputs;
  std::vector<std::optional<FileId>> outputIds;
  for (const std::string& input : inputs) {
    const std::string output = *OutputPath(arguments.output, input, extension);
    const std::optional<FileId> id = IdOf(output);
    for (size_t i = 0; i < inputs.size(); ++i) {
      const std::string& other = inputs[i];
      if (SameFile(output, id, other, inputIds[i]))
        return "-o would replace the input \"" + other + "\"" +
               (other == kStandardStream ? " (standard input)" : "");
    }
    for (size_t i = 0; i < outputs.size(); ++i)
      if (SameFile(output, id, outputs[i], outputIds[i]))
        return "-o would write \"" + output + "\" for both \"" + inputs[i] + "\" and \"" + input + "\"";
    outputs.push_back(output);
    outputIds.push_back(id);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> OutputPath(const std::optional<std::string>& output, const std::string& input,
                                      std::string_view extension) {
  if (!output) return std::nullopt;
  if (!IsFolder(*output)) return *output;
  const std::string stem =
      input == kStandardStream ? std::string("stdin") : std::filesystem::path(input).stem().string();
  return (std::filesystem::path(*output) / (stem + std::string(extension))).string();
}

int ConvertEach(const Arguments& arguments, std::string_view extension,
                const std::function<int(const std::string& input)>& convert) {
  if (arguments.inputs.size() > 1 && arguments.output && !IsFolder(*arguments.output))
    return Usage("-o must name a folder when there are several files");
  if (const auto clash = OutputClash(arguments, extension)) {
    Complain(*clash + "; nothing was written");
    return kUsageOrFileError;
  }
  int worst = kOk;
  for (const std::string& input : arguments.inputs) worst = std::max(worst, convert(input));
  return worst;
}

}  // namespace orrikey::cli
