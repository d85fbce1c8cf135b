#include "cli/Arguments.h"

#include <algorithm>

namespace orrikey::cli {

std::optional<Arguments> ParseArguments(std::span<const std::string> args,
                                        std::span<const ValueOption> options, std::string_view needs,
                                        std::string& problem) {
  Arguments arguments;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto option =
        std::find_if(options.begin(), options.end(), [&](const ValueOption& o) { return o.name == arg; });
    if ((arg == "-o" || option != options.end()) && i + 1 == args.size()) {
      problem = arg + " needs a value";
      return std::nullopt;
    }
    if (arg == "-o") {
      if (arguments.output) {
        problem = "-o given twice";
        return std::nullopt;
      }
      arguments.output = args[++i];
    } else if (option != options.end()) {
      if (auto refused = option->take(args[++i], arguments)) {
        problem = std::move(*refused);
        return std::nullopt;
      }
    } else {
      arguments.inputs.push_back(arg);
    }
  }
  if (arguments.inputs.empty()) {
    problem = args[0] + " needs " + std::string(needs);
    return std::nullopt;
  }
  return arguments;
}

}  // namespace orrikey::cli
