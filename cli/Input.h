#pragma once

// The inputs of a run: files, and standard input where one is named "-",
// each read whole, within the size limit of files/.

#include <string>
#include <string_view>

namespace orrikey::cli {

// The name of standard input among the inputs, and of standard output as -o.
inline constexpr std::string_view kStandardStream = "-";

// The bytes of a raw file. Both readers throw std::runtime_error in the
// words of files/, so that every command names a file alike.
std::string ReadRawInput(const std::string& input);

// The bytes of program text or a listing, normalised only later, as they are
// read into program lines.
std::string ReadTextInput(const std::string& input);

}  // namespace orrikey::cli
