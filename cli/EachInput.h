#pragma once

// encode and decode convert each input on its own: its output goes where
// -o says, and an output that would lose a program is refused before any
// input is read.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/Arguments.h"

namespace orrikey::cli {

// Where one input's output goes: nowhere, standard output, the file -o
// names, or a file named after the input, with `extension`, in the folder -o
// names.
std::optional<std::string> OutputPath(const std::optional<std::string>& output, const std::string& input,
                                      std::string_view extension);

// Runs `convert` on each input, once the outputs are known not to clash;
// gives the worst status of them.
int ConvertEach(const Arguments& arguments, std::string_view extension,
                const std::function<int(const std::string& input)>& convert);

}  // namespace orrikey::cli
