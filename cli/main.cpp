// orrikey-cli: the conversions of the Orrikey editor, for scripts and batch work.

#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/HTC.h"
#include "encoder/Encoder.h"
#include "files/HexText.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"

namespace {

constexpr int kOk = 0;
constexpr int kConversionFailed = 1;
constexpr int kUsageOrFileError = 2;

constexpr std::string_view kUsage =
    "usage: orrikey-cli encode FILE [-o OUT.raw]\n"
    "       orrikey-cli decode FILE.raw [-o OUT.42S]\n"
    "       orrikey-cli decode --hex HEXTEXT [-o OUT.42S]\n"
    "       orrikey-cli --help | --version\n";

constexpr std::string_view kHelp =
    "Converts HP-42S program text into calculator program bytes and back.\n"
    "\n"
    "  encode FILE   Read the program text FILE (one instruction per line) and\n"
    "                write its hex listing to standard output, one line of hex\n"
    "                digits per program line. Lines that fail to convert are\n"
    "                listed on standard error as \"Line: N ------ err ...\";\n"
    "                the program size \"{ N-Byte Prgm }\" follows when none failed.\n"
    "                -o OUT.raw also writes the program bytes to the raw file\n"
    "                OUT.raw, only when no line failed.\n"
    "\n"
    "  decode FILE.raw, decode --hex HEXTEXT\n"
    "                Turn the bytes of a raw file, or hex text (two digits per\n"
    "                byte, uppercase), into program text on standard output, one\n"
    "                line per instruction. Bytes that form no known instruction\n"
    "                end the text with \"Error in Hex Code\", and standard error\n"
    "                names the line. -o OUT.42S writes the program text file\n"
    "                OUT.42S (CR LF line breaks) instead, only when decoding\n"
    "                ended cleanly.\n"
    "\n"
    "Exit status: 0 when every line converted, 1 when a line failed,\n"
    "2 for a usage error or a file that cannot be read or written.\n";

struct Options {
  std::string input;  // a file, or hex text with --hex
  bool hexText = false;
  std::optional<std::string> output;
};

int Usage(std::string_view problem) {
  std::cerr << "orrikey-cli: " << problem << "\n" << kUsage;
  return kUsageOrFileError;
}

int FileError(const std::exception& error) {
  std::cerr << "orrikey-cli: " << error.what() << "\n";
  return kUsageOrFileError;
}

// The command's arguments: one input, and "-o OUT" anywhere; decode also
// takes "--hex TEXT" as its input.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, bool takesHex,
                                    std::string& problem) {
  Options options;
  std::vector<std::string> inputs;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isHex = takesHex && arg == "--hex";
    if ((arg == "-o" || isHex) && i + 1 == args.size()) {
      problem = arg + " needs a value";
      return std::nullopt;
    }
    if (arg == "-o") {
      if (options.output) {
        problem = "-o given twice";
        return std::nullopt;
      }
      options.output = args[++i];
      continue;
    }
    if (isHex) options.hexText = true;
    inputs.push_back(args[isHex ? ++i : i]);
  }
  if (inputs.size() != 1) {
    problem = args[0] + (takesHex ? " takes one file or hex text" : " takes one file");
    return std::nullopt;
  }
  options.input = inputs.front();
  return options;
}

int Encode(const Options& options) {
  std::string text;
  try {
    text = orrikey::ReadProgramTextFile(options.input);
  } catch (const std::exception& error) {
    return FileError(error);
  }
  const auto conversion = orrikey::MakeHexCode(orrikey::SplitLines(text));
  const std::vector<std::string> noLines;
  const std::vector<std::string>& hexLines = conversion ? conversion->hexLines : noLines;
  std::string listing;
  for (const std::string& hex : hexLines) listing.append(hex).append("\n");
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  if (conversion) {
    for (const std::string& info : conversion->infoLines) std::cerr << info << "\n";
    if (!conversion->caption.empty()) std::cerr << conversion->caption << "\n";
    if (!conversion->infoLines.empty()) return kConversionFailed;
  }
  if (options.output) {
    try {
      orrikey::SaveHexStringToFile(*options.output, orrikey::GetHexString(hexLines, true));
    } catch (const std::exception& error) {
      return FileError(error);
    }
  }
  return kOk;
}

int Decode(const Options& options) {
  std::string hex = options.input;
  if (!options.hexText) {
    try {
      hex = orrikey::BytesToHex(orrikey::ReadRawFile(options.input));
    } catch (const std::exception& error) {
      return FileError(error);
    }
  }
  orrikey::HTC::DecodeResult decoded;
  try {
    decoded = orrikey::HTC::HexToCode(hex);
  } catch (const std::runtime_error& error) {
    std::cerr << "orrikey-cli: " << error.what() << "\n";
    return kConversionFailed;
  }
  const bool clean = decoded.info.empty();
  if (!options.output) {
    std::string text;
    for (const std::string& line : decoded.lines) text.append(line).append("\n");
    std::fwrite(text.data(), 1, text.size(), stdout);
  } else if (clean) {
    try {
      orrikey::WriteProgramTextFile(*options.output, orrikey::JoinLines(decoded.lines));
    } catch (const std::exception& error) {
      return FileError(error);
    }
  }
  if (!clean) std::cerr << decoded.info << "\n";
  return clean ? kOk : kConversionFailed;
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
  if (command == "encode" || command == "decode") {
    const bool decode = command == "decode";
    std::string problem;
    const auto options = ParseOptions(args, decode, problem);
    if (!options) return Usage(problem);
    return decode ? Decode(*options) : Encode(*options);
  }
  return Usage("unknown command '" + command + "'");
}
