#pragma once

// What orrikey-cli says on standard error when a run cannot go as asked:
// always after its name, so that a script's log tells who said it.

#include <stdexcept>
#include <string_view>

namespace orrikey::cli {

// "orrikey-cli: TEXT" and a line break.
void Complain(std::string_view text);

// The problem, then the usage; gives the status of a usage error.
int Usage(std::string_view problem);

// The error as files/ words it; gives the status of a file error.
int FileError(const std::runtime_error& error);

}  // namespace orrikey::cli
