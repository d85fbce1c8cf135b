#pragma once

// The commands of orrikey-cli. Each takes the arguments from its own name on
// and gives the exit status of its run (ExitStatus.h).

#include <span>
#include <string>

namespace orrikey::cli {

using Command = int (*)(std::span<const std::string> args);

// Program text or listings to hex listings and raw files.
int Encode(std::span<const std::string> args);
// Raw files or hex text to program text, a listing, 8-bit text or hex.
int Decode(std::span<const std::string> args);
// What does not convert, and what the labels say, the way compilers report.
int Check(std::span<const std::string> args);
// The programs of a file with their sizes, steps and labels.
int Programs(std::span<const std::string> args);
// The language server, on standard input and output.
int Lsp(std::span<const std::string> args);

}  // namespace orrikey::cli
