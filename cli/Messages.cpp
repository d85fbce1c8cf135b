#include "cli/Messages.h"

#include <iostream>

#include "cli/ExitStatus.h"
#include "cli/Help.h"

namespace orrikey::cli {

void Complain(std::string_view text) { std::cerr << "orrikey-cli: " << text << "\n"; }

int Usage(std::string_view problem) {
  Complain(problem);
  std::cerr << UsageText();
  return kUsageOrFileError;
}

int FileError(const std::runtime_error& error) {
  Complain(error.what());
  return kUsageOrFileError;
}

}  // namespace orrikey::cli
