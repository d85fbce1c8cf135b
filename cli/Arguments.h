#pragma once

// The arguments of the commands that convert files: the inputs, "-o OUT"
// anywhere among them, and the command's own options that take a value.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::cli {

struct Arguments {
  std::vector<std::string> inputs;
  std::optional<std::string> output;
};

// One of a command's options, and what its value does to the arguments;
// gives why the value is refused, or nothing.
struct ValueOption {
  std::string_view name;
  std::function<std::optional<std::string>(const std::string& value, Arguments& arguments)> take;
};

// The arguments after the command's name, which is `args` first; a command
// given no input "needs `needs`". Nothing when they are wrong, and why in
// `problem`, for the first wrong one.
std::optional<Arguments> ParseArguments(std::span<const std::string> args,
                                        std::span<const ValueOption> options, std::string_view needs,
                                        std::string& problem);

}  // namespace orrikey::cli
