#pragma once

// The inputs of a run: files, and standard input where one is named "-",
// each read whole, within the size limit of files/.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::cli {

// The name of standard input among the inputs, and of standard output as -o.
inline constexpr std::string_view kStandardStream = "-";

// The bytes of a raw file. Both readers throw std::runtime_error in the
// words of files/, so that every command names a file alike.
std::string ReadRawInput(const std::string& input);

// The bytes of program text or a listing, normalised only later, as they are
// read into program lines.
std::string ReadTextInput(const std::string& input);

// The paths, each folder among them replaced by the program files under it
// (.raw, .42S, and listings' .txt, .hp42s and .free42, by extension, at any
// depth), sorted so that reports come in the same order on every machine. A
// folder that cannot be read is told to standard error and sets `failed`.
std::vector<std::string> ExpandFolders(std::span<const std::string> paths, bool& failed);

}  // namespace orrikey::cli
