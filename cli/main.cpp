// orrikey-cli: the conversions of the Orrikey editor, for scripts and batch work.

#include <iostream>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/Help.h"
#include "cli/Messages.h"
#include "cli/Output.h"

namespace {

using namespace orrikey::cli;

struct Entry {
  std::string_view name;
  Command run;
};

constexpr Entry kCommands[] = {
    {"encode", Encode}, {"decode", Decode}, {"check", Check}, {"programs", Programs}, {"lsp", Lsp},
};

int Run(std::span<const std::string> args) {
  if (args.empty()) return Usage("no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h") return PrintOut(HelpText()) ? kOk : kUsageOrFileError;
  if (command == "--version") return PrintOut("orrikey-cli " ORRIKEY_VERSION "\n") ? kOk : kUsageOrFileError;
  for (const Entry& entry : kCommands)
    if (entry.name == command) return entry.run(args);
  return Usage("unknown command '" + command + "'");
}

}  // namespace

// The input files are capped in size, so only a machine short of memory gets
// here; it still gets a message and a failed status, not an abort.
int main(int argc, char** argv) {
  try {
    RecoverWrites();
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    Complain("Out of memory");
    return kUsageOrFileError;
  }
}
