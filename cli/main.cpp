// orrikey-cli: the conversions of the Orrikey editor, for scripts and batch work.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/HTC.h"
#include "encoder/Encoder.h"
#include "files/FileIO.h"
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
    "                listed on standard error as \"Line: N ------ err ...\",\n"
    "                N counting every line of the file, blank ones too; the\n"
    "                program size \"{ N-Byte Prgm }\" follows when none failed.\n"
    "                -o OUT.raw also writes the program bytes to the raw file\n"
    "                OUT.raw, only when no line failed.\n"
    "\n"
    "  decode FILE.raw, decode --hex HEXTEXT\n"
    "                Turn the bytes of a raw file, or hex text (two digits for\n"
    "                every byte, uppercase), into program text on standard\n"
    "                output, one line per instruction. Bytes that form no known\n"
    "                instruction end the text with \"Error in Hex Code\", and\n"
    "                standard error names the line. -o OUT.42S writes the\n"
    "                program text file OUT.42S (CR LF line breaks) instead, only\n"
    "                when decoding ended cleanly.\n"
    "\n"
    "Input files must be regular files of at most 4 MiB; program text must not\n"
    "hold a NUL byte. -o replaces only a regular file, or makes a new one.\n"
    "\n"
    "Exit status: 0 when every line converted, 1 when a line failed,\n"
    "2 for a usage error, a file that cannot be read or written, standard\n"
    "output that cannot be written, or too little memory.\n";

static_assert(orrikey::kMaxProgramFileSize == 4 << 20, "the help names the size limit");

struct Options {
  std::string input;  // a file, or hex text with --hex
  bool hexText = false;
  std::optional<std::string> output;
};

int Usage(std::string_view problem) {
  std::cerr << "orrikey-cli: " << problem << "\n" << kUsage;
  return kUsageOrFileError;
}

int FileError(const std::runtime_error& error) {
  std::cerr << "orrikey-cli: " << error.what() << "\n";
  return kUsageOrFileError;
}

// Scripts read standard output: when it cannot take the text (a full disk,
// say), the run fails rather than ending as if all was written.
bool PrintOut(std::string_view text) {
  errno = 0;
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  std::cerr << "orrikey-cli: Cannot write to standard output. "
            << std::strerror(errno ? errno : EIO) << "\n";
  return false;
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

// The conversion numbers the lines it converts, leaving out the blank ones;
// the messages name the file's own lines.
std::vector<size_t> FileLineNumbers(const std::vector<std::string>& lines) {
  std::vector<size_t> numbers;
  for (size_t i = 0; i < lines.size(); ++i)
    if (!orrikey::Trim(lines[i]).empty()) numbers.push_back(i + 1);
  return numbers;
}

int Encode(const Options& options) {
  std::string text;
  try {
    text = orrikey::ReadProgramTextFile(options.input);
  } catch (const std::runtime_error& error) {
    return FileError(error);
  }
  const std::vector<std::string> lines = orrikey::SplitLines(text);
  const auto conversion = orrikey::MakeHexCode(lines);
  const std::vector<std::string> noLines;
  const std::vector<std::string>& hexLines = conversion ? conversion->hexLines : noLines;
  std::string listing;
  for (const std::string& hex : hexLines) listing.append(hex).append("\n");
  if (!PrintOut(listing)) return kUsageOrFileError;
  if (conversion) {
    const std::vector<size_t> lineNumbers = FileLineNumbers(lines);
    for (size_t i = 0; i < hexLines.size(); ++i)
      if (hexLines[i].starts_with(orrikey::kErrorMarker))
        std::cerr << "Line: " << lineNumbers[i] << " " << hexLines[i] << "\n";
    if (!conversion->caption.empty()) std::cerr << conversion->caption << "\n";
    if (!conversion->infoLines.empty()) return kConversionFailed;
  }
  if (options.output) {
    try {
      orrikey::SaveHexStringToFile(*options.output, orrikey::GetHexString(hexLines, true));
    } catch (const std::runtime_error& error) {
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
    } catch (const std::runtime_error& error) {
      return FileError(error);
    }
  } else if (hex.size() % 2 != 0) {
    std::cerr << "orrikey-cli: The hex text ends in a lone digit '" << hex.back()
              << "'; every byte takes two digits\n";
    return kConversionFailed;
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
    if (!PrintOut(text)) return kUsageOrFileError;
  } else if (clean) {
    try {
      orrikey::WriteProgramTextFile(*options.output, orrikey::JoinLines(decoded.lines));
    } catch (const std::runtime_error& error) {
      return FileError(error);
    }
  }
  if (!clean) std::cerr << decoded.info << "\n";
  return clean ? kOk : kConversionFailed;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h")
    return PrintOut(std::string(kUsage) + "\n" + std::string(kHelp)) ? kOk : kUsageOrFileError;
  if (command == "--version")
    return PrintOut("orrikey-cli " ORRIKEY_VERSION "\n") ? kOk : kUsageOrFileError;
  if (command == "encode" || command == "decode") {
    const bool decode = command == "decode";
    std::string problem;
    const auto options = ParseOptions(args, decode, problem);
    if (!options) return Usage(problem);
    return decode ? Decode(*options) : Encode(*options);
  }
  return Usage("unknown command '" + command + "'");
}

}  // namespace

// The input files are capped in size, so only a machine short of memory gets
// here; it still gets a message and a failed status, not an abort.
int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    std::cerr << "orrikey-cli: Out of memory\n";
    return kUsageOrFileError;
  }
}
