#pragma once

// The usage that a usage error repeats, and the help of --help.

#include <string>
#include <string_view>

namespace orrikey::cli {

// One line for each way to call orrikey-cli.
std::string_view UsageText();

// The usage, then what each command does, with the ASCII spellings that
// program text may use.
std::string HelpText();

}  // namespace orrikey::cli
