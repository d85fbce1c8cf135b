// orrikey-cli: the conversions of the Orrikey editor, for scripts and batch work.

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/Encoder.h"
#include "files/ProgramText.h"

namespace {

constexpr int kOk = 0;
constexpr int kConversionFailed = 1;
constexpr int kUsageOrFileError = 2;

constexpr std::string_view kUsage =
    "usage: orrikey-cli encode FILE\n"
    "       orrikey-cli --help | --version\n";

constexpr std::string_view kHelp =
    "Converts HP-42S program text into calculator program bytes.\n"
    "\n"
    "  encode FILE   Read the program text FILE (one instruction per line) and\n"
    "                write its hex listing to standard output, one line of hex\n"
    "                digits per program line. Lines that fail to convert are\n"
    "                listed on standard error as \"Line: N ------ err ...\";\n"
    "                the program size \"{ N-Byte Prgm }\" follows when none failed.\n"
    "\n"
    "Exit status: 0 when every line converted, 1 when a line failed,\n"
    "2 for a usage error or a file that cannot be read.\n";

int Usage(std::string_view problem) {
  std::cerr << "orrikey-cli: " << problem << "\n" << kUsage;
  return kUsageOrFileError;
}

int Encode(const std::string& path) {
  std::string text;
  try {
    text = orrikey::ReadProgramTextFile(path);
  } catch (const std::exception& error) {
    std::cerr << "orrikey-cli: " << error.what() << "\n";
    return kUsageOrFileError;
  }
  const auto conversion = orrikey::MakeHexCode(orrikey::SplitLines(text));
  if (!conversion) return kOk;
  std::string listing;
  for (const std::string& hex : conversion->hexLines) listing.append(hex).append("\n");
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  for (const std::string& info : conversion->infoLines) std::cerr << info << "\n";
  if (!conversion->caption.empty()) std::cerr << conversion->caption << "\n";
  return conversion->infoLines.empty() ? kOk : kConversionFailed;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h") {
    std::cout << kUsage << "\n" << kHelp;
    return kOk;
  }
  if (command == "--version") {
    std::cout << "orrikey-cli " << ORRIKEY_VERSION << "\n";
    return kOk;
  }
  if (command == "encode") {
    if (args.size() != 2) return Usage("encode takes one file");
    return Encode(args[1]);
  }
  return Usage("unknown command '" + command + "'");
}
