// lsp: the language server on standard input and output, for editors that
// speak the language server protocol.

#include <fstream>
#include <iostream>
#include <span>
#include <string>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "lsp/Server.h"

namespace orrikey::cli {

int Lsp(std::span<const std::string> args) {
  std::ofstream logFile;
  if (args.size() == 3 && args[1] == "--log") {
    logFile.open(args[2], std::ios::app);
    if (!logFile) {
      Complain("Cannot open file \"" + args[2] + "\" for the log");
      return kUsageOrFileError;
    }
  } else if (args.size() != 1) {
    return Usage(args.size() == 2 && args[1] == "--log" ? "--log needs a value"
                                                        : "lsp takes only --log FILE");
  }
  // The protocol's messages alone go to standard output, in bytes as counted.
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  lsp::Server server(std::cin, std::cout, logFile.is_open() ? logFile : std::cerr, ORRIKEY_VERSION);
  // 1 when the client ended it without shutting it down first, as the protocol asks.
  return server.Run();
}

}  // namespace orrikey::cli
