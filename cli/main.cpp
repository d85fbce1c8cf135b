// orrikey-cli: the conversions of the Orrikey editor, for scripts and batch work.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "cli/Check.h"
#include "cli/ExitStatus.h"
#include "cli/HexArgument.h"
#include "decoder/Decode.h"
#include "decoder/LineReader.h"
#include "document/OpenProgram.h"
#include "encoder/Assembly.h"
#include "files/FileIO.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"
#include "files/Recovery.h"
#include "listing/ListingReader.h"
#include "listing/ListingWriter.h"
#include "text/Hex.h"

namespace {

namespace encoder = orrikey::encoder;

using orrikey::cli::kConversionFailed;
using orrikey::cli::kOk;
using orrikey::cli::kUsageOrFileError;

constexpr std::string_view kUsage =
    "usage: orrikey-cli encode FILE... [-o OUT]\n"
    "       orrikey-cli decode [--format F] FILE.raw... [-o OUT]\n"
    "       orrikey-cli decode [--format F] --hex HEXTEXT [-o OUT]\n"
    "       orrikey-cli check FILE...\n"
    "       orrikey-cli programs FILE\n"
    "       orrikey-cli --help | --version\n";

constexpr std::string_view kHelp =
    "Converts HP-42S program text and listings into calculator program bytes\n"
    "and back. FILE - is standard input, -o - standard output. With several\n"
    "files, -o names a folder (an existing one, or a path ending in /) that\n"
    "gets one output file per input, named after it.\n"
    "\n"
    "  encode FILE...\n"
    "                Read program text or a listing and write its hex listing\n"
    "                to standard output, one line of hex digits per program\n"
    "                line (with several files, each after a line \"==> FILE <==\").\n"
    "                Lines that fail are listed on standard error as\n"
    "                \"Line: N ------ err ...\", N counting every line of the\n"
    "                file; when none failed, the size follows as the\n"
    "                calculator counts it, without END: \"{ N-Byte Prgm }\",\n"
    "                or \"N bytes in M programs\". -o OUT also writes the raw\n"
    "                file OUT (.raw), only when no line failed.\n"
    "\n"
    "                A UTF-8 file (a byte-order mark allowed) is read as\n"
    "                program text when all its lines convert so, else as a\n"
    "                listing when more of them convert that way; any other\n"
    "                file as program text in the 8-bit display codes, as it\n"
    "                stands; a line of program text that does not convert as\n"
    "                it stands is read as a listing reads it. Quoted texts\n"
    "                read alike in all of these: the escapes below, and ├ as\n"
    "                code 0x7F. In a listing, these are\n"
    "                left out: line numbers (\"01\", \"001\", followed by a blank\n"
    "                or \"▸\"), a leading \"▸\", the header \"00 { n-Byte Prgm }\",\n"
    "                blank lines and lines starting with @, #, ; or //;\n"
    "                outside quoted text, @, ; and // end the instruction.\n"
    "                The calculator's glyphs (÷ × √ Σ ▸ π ≤ ≥ ≠ ↓ → ← ↑ ├ ᴇ ...)\n"
    "                are read as themselves, “ ” as \", E or e as the\n"
    "                exponent of a number (1E3, -2.5e-7, 1e+15), a decimal\n"
    "                comma as the point (2,7), and inside quoted\n"
    "                text the escapes [LF], [ESC] and € with two hex digits\n"
    "                (€9f) as those calculator characters. ASCII spellings,\n"
    "                outside quoted text:\n"
    "%SPELLINGS%"
    "                and ^ for ↑ as always. Several programs, each up to its\n"
    "                END, may follow one another. A control byte (below the\n"
    "                blank, but a tab) outside quoted text fails its line as\n"
    "                \"------ err char\", and the message names it.\n"
    "\n"
    "  decode FILE.raw..., decode --hex HEXTEXT\n"
    "                Turn the bytes of a raw file, or hex text (two digits for\n"
    "                every byte), into one line per instruction. Bytes that\n"
    "                form no known instruction end the text with \"Error in Hex\n"
    "                Code\", and standard error names the line. --format F:\n"
    "                  text     UTF-8 program text with the calculator's glyphs\n"
    "                           (the default)\n"
    "                  listing  the calculator's listing: \"00 { n-Byte Prgm }\",\n"
    "                           numbered lines, \"▸\" before labels\n"
    "                  8bit     program text in the 8-bit display codes\n"
    "                  hex      the bytes as hex digits\n"
    "                -o OUT writes the file OUT (.42S, CR LF line breaks; a\n"
    "                listing .txt with LF; .hex) instead, only when decoding\n"
    "                ended cleanly.\n"
    "\n"
    "  check FILE...\n"
    "                Read raw files, program text or listings and report, the\n"
    "                way compilers do, \"FILE:LINE: error: ...\" for each line\n"
    "                that does not convert and \"FILE:LINE: warning: ...\" for a\n"
    "                GTO, XEQ or KEY n GTO/XEQ to a local label that its program\n"
    "                lacks (programs end at END, each with its own local labels),\n"
    "                a global label that the file has twice, and a local label\n"
    "                that its program has twice. \"FILE:LINE: note: ...\" tells the\n"
    "                line that a jump to such a label reaches, and names a\n"
    "                global label that a GTO, XEQ, PGMSLV, PGMINT, VARMENU and\n"
    "                the like name and the file lacks: another program on the\n"
    "                calculator may hold it. Exit status 1 when an error or a\n"
    "                warning was reported; notes leave it 0.\n"
    "\n"
    "  programs FILE\n"
    "                List the programs of the file, each up to its END: its\n"
    "                lines, its size as the calculator counts it, its steps and\n"
    "                its labels, each after its line number.\n"
    "\n"
    "Input files must be regular files of at most 4 MiB; program text must not\n"
    "hold a NUL byte. -o replaces only a regular file, or makes a new one; an\n"
    "output that is an input of the run (standard input too, when it reads\n"
    "from that file), or that two inputs would both write, is refused before\n"
    "anything is written.\n"
    "\n"
    "Exit status, the worst over all files: 0 when every line converted, 1\n"
    "when a line failed, 2 for a usage error, a file that cannot be read or\n"
    "written, standard output that cannot be written, or too little memory.\n";

static_assert(orrikey::files::kMaxProgramFileSize == 4 << 20, "the help names the size limit");

constexpr std::string_view kStandardStream = "-";
constexpr std::string_view kRawExtension = ".raw";

enum class Format { kText, kListing, kEightBit, kHex };

struct Options {
  std::vector<std::string> inputs;  // files, or hex text with --hex
  bool hexText = false;
  Format format = Format::kText;
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

std::optional<Format> ParseFormat(std::string_view name) {
  if (name == "text") return Format::kText;
  if (name == "listing") return Format::kListing;
  if (name == "8bit") return Format::kEightBit;
  if (name == "hex") return Format::kHex;
  return std::nullopt;
}

// The command's arguments: inputs, and "-o OUT" anywhere; decode also takes
// "--hex TEXT" as its input and "--format F".
std::optional<Options> ParseOptions(const std::vector<std::string>& args, bool decode,
                                    std::string& problem) {
  Options options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "-o" || (decode && (arg == "--hex" || arg == "--format"));
    if (takesValue && i + 1 == args.size()) {
      problem = arg + " needs a value";
      return std::nullopt;
    }
    if (arg == "-o") {
      if (options.output) {
        problem = "-o given twice";
        return std::nullopt;
      }
      options.output = args[++i];
    } else if (decode && arg == "--format") {
      const auto format = ParseFormat(args[++i]);
      if (!format) {
        problem = "unknown format '" + args[i] + "' (text, listing, 8bit or hex)";
        return std::nullopt;
      }
      options.format = *format;
    } else if (decode && arg == "--hex") {
      options.hexText = true;
      options.inputs.push_back(args[++i]);
    } else {
      options.inputs.push_back(arg);
    }
  }
  if (options.inputs.empty()) {
    problem = args[0] + (decode ? " needs a file or hex text" : " needs a file");
    return std::nullopt;
  }
  if (options.hexText && options.inputs.size() != 1) {
    problem = "--hex takes one hex text and no files";
    return std::nullopt;
  }
  return options;
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return path.ends_with('/') || std::filesystem::is_directory(path, error);
}

// Where one input's output goes: nowhere, standard output, the file -o names,
// or a file named after the input in the folder -o names.
std::optional<std::string> OutputPath(const Options& options, const std::string& input,
                                      std::string_view extension) {
  if (!options.output) return std::nullopt;
  if (!IsFolder(*options.output)) return *options.output;
  const std::string stem = input == kStandardStream
                               ? std::string("stdin")
                               : std::filesystem::path(input).stem().string();
  return (std::filesystem::path(*options.output) / (stem + std::string(extension))).string();
}

std::string ReadStandardInput() {
  std::string bytes;
  char buffer[1 << 16];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    bytes.append(buffer, count);
    if (bytes.size() > orrikey::files::kMaxProgramFileSize)
      throw orrikey::files::TooLarge("-");
  }
  if (std::ferror(stdin)) throw orrikey::files::CannotOpen("-", std::strerror(errno ? errno : EIO));
  return bytes;
}

// Program text is normalised as it is read into program lines, not before.
std::string ReadInput(const std::string& input, bool programText) {
  if (input != kStandardStream && !programText) return orrikey::files::ReadRawFile(input);
  std::string bytes =
      input == kStandardStream ? ReadStandardInput() : orrikey::files::ReadWholeFile(input);
  if (programText) orrikey::files::RefuseNulByte(input, bytes);
  return bytes;
}

// Writes the whole output, says once why it could not, and gives the status.
int WriteOutput(const std::string& path, std::string_view bytes) {
  if (path == kStandardStream) return PrintOut(bytes) ? kOk : kUsageOrFileError;
  try {
    orrikey::files::WriteWholeFile(path, bytes);
  } catch (const std::runtime_error& error) {
    return FileError(error);
  }
  return kOk;
}

// One hex line per program line, and an error line in the place of a line
// the listing reader refused; the messages name the file's own lines.
int EncodeOne(const Options& options, const std::string& input) {
  std::string text;
  try {
    text = ReadInput(input, true);
  } catch (const std::runtime_error& error) {
    return FileError(error);
  }
  const orrikey::document::OpenedProgram program = orrikey::document::ReadProgramText(text);
  // One row per instruction, and an error row where the listing reader
  // refused a line, in the order of the file.
  std::string hexListing;
  if (options.inputs.size() > 1) hexListing = "==> " + input + " <==\n";
  // Two digits a byte and a line break a row, grown once.
  hexListing.reserve(hexListing.size() + 2 * program.assembly.size() + program.assembly.lines().size());
  // The raw file, gathered in the same pass.
  std::string raw;
  raw.reserve(program.assembly.size());
  std::string messages;
  bool rows = false;
  auto refused = program.refused.begin();
  const auto addRefusedBefore = [&](size_t fileLine) {
    for (; refused != program.refused.end() && refused->fileLine < fileLine; ++refused) {
      hexListing.append(encoder::ErrorLine(encoder::EncodeError::kChar)).append("\n");
      messages += encoder::FailureMessage(refused->fileLine, encoder::EncodeError::kChar,
                                          refused->reason) + "\n";
      rows = true;
    }
  };
  for (const encoder::Assembly::Line& line : program.assembly.lines()) {
    // Blank and comment lines of program text hold no instruction.
    if (!line.assembled.failed() && line.assembled.bytes.empty()) continue;
    addRefusedBefore(line.sourceLine);
    encoder::AppendHexRow(hexListing, line.assembled);
    hexListing += '\n';
    if (line.assembled.error)
      messages += encoder::FailureMessage(line.sourceLine, line.assembled) + "\n";
    else
      raw.append(reinterpret_cast<const char*>(line.assembled.bytes.data()), line.assembled.bytes.size());
    rows = true;
  }
  addRefusedBefore(SIZE_MAX);
  const bool failed = program.assembly.failureCount() > 0 || !program.refused.empty();
  const auto path = OutputPath(options, input, kRawExtension);
  if ((!path || *path != kStandardStream) && !PrintOut(hexListing)) return kUsageOrFileError;
  if (options.inputs.size() > 1 && !messages.empty()) std::cerr << input << ":\n";
  std::cerr << messages;
  if (failed) return kConversionFailed;
  if (path)
    if (const int status = WriteOutput(*path, raw)) return status;
  // The size tells of a program that is now where it was asked for.
  if (rows) std::cerr << encoder::SizeText(program.assembly.Programs()) << "\n";
  return kOk;
}

// Standard output takes the text in chunks of this size.
constexpr size_t kChunk = 1 << 16;

// Program text or 8-bit text, after `first`, each line written straight
// into the output: the lines read before a run at a time, each other line
// alone. Room is made a chunk at a time so that the cleared room is written
// while it is still in the cache; `used` ends what is written. A flush that
// keeps the text wants it whole at the end, so it is not asked again.
bool WriteLines(orrikey::decoder::LineReader& reader, std::string_view lineBreak,
                std::string& out, const std::function<bool(std::string&)>& flush, bool& first) {
  orrikey::decoder::Line line;
  size_t used = out.size();
  size_t flushAt = kChunk;
  const auto makeRoom = [&](size_t room) {
    if (out.size() < used + room) out.resize(used + room + kChunk);
  };
  for (;;) {
    if (!first) {
      makeRoom(kChunk);
      used = static_cast<size_t>(reader.CopyKeptLines(out.data() + used, out.data() + out.size(), lineBreak) -
                                 out.data());
    }
    makeRoom(lineBreak.size() + reader.Room());
    char* at = out.data() + used;
    if (!first) {
      // LF or CR LF, stored rather than copied: a copy would cost more than the line.
      if (lineBreak.size() == 2) *at++ = lineBreak.front();
      *at++ = lineBreak.back();
    }
    if (!reader.Next(line, at)) break;
    first = false;
    used = static_cast<size_t>(at + line.textSize - out.data());
    if (used < flushAt) continue;
    out.resize(used);
    if (!flush(out)) return false;
    used = out.size();
    if (used > 0) flushAt = SIZE_MAX;
  }
  out.resize(used);
  return true;
}

// The program text, listing or hex of the bytes, decoded a line at a time. Text
// goes to a file with CR LF between lines, as .42S files always had, and to
// standard output with LF after every line. `flush` takes the output so far
// when it has grown large; false from it ends the decode.
bool WriteDecoded(std::span<const std::uint8_t> bytes, Format format, std::string_view lineBreak,
                  std::string& out, const std::function<bool(std::string&)>& flush,
                  std::optional<orrikey::decoder::Stop>& stop) {
  // Program text is written as listings spell their instructions.
  const orrikey::decoder::LineReader::TextWriter spelling = {orrikey::listing::WriteListingInstruction,
                                                              orrikey::listing::ListingRoom};
  orrikey::decoder::LineReader reader(bytes, format == Format::kText ? std::optional(spelling) : std::nullopt);
  orrikey::decoder::Line line;
  bool first = true;
  const auto breakLine = [&] {
    if (!first) out.append(lineBreak);
    first = false;
  };
  const auto fits = [&] { return out.size() < kChunk || flush(out); };
  if (format == Format::kHex) {
    while (reader.Next(line)) {}
  } else if (format == Format::kListing) {
    orrikey::listing::ListingStream listing(out);
    while (reader.Next(line)) {
      listing.Add({reader.text(), line.size, line.endsProgram(), line.dropped()});
      if (!fits()) return false;
    }
    listing.Finish();
  } else if (!WriteLines(reader, lineBreak, out, flush, first)) {
    return false;
  }
  stop = reader.stop();
  if (format == Format::kHex) {
    orrikey::text::AppendHex(out, bytes);
    out += '\n';
    return true;
  }
  // The listing holds only instructions, so a stop leaves the error line out.
  if (format == Format::kListing) return true;
  if (stop) {
    breakLine();
    out.append(orrikey::decoder::kErrorLine);
    if (!fits()) return false;
  }
  if (lineBreak == "\n") out += '\n';
  return true;
}

std::string_view Extension(Format format) {
  switch (format) {
    case Format::kListing: return ".txt";
    case Format::kHex: return ".hex";
    default: return ".42S";
  }
}

int DecodeOne(const Options& options, const std::string& input) {
  std::string fileBytes;
  std::vector<std::uint8_t> hexBytes;
  if (options.hexText) {
    std::string problem;
    auto parsed = orrikey::cli::ParseHexArgument(input, problem);
    if (!parsed) {
      std::cerr << "orrikey-cli: " << problem << "\n";
      return kConversionFailed;
    }
    hexBytes = std::move(*parsed);
  } else {
    try {
      fileBytes = ReadInput(input, false);
    } catch (const std::runtime_error& error) {
      return FileError(error);
    }
  }
  const std::span<const std::uint8_t> bytes =
      options.hexText ? std::span<const std::uint8_t>(hexBytes)
                      : orrikey::decoder::AsBytes(fileBytes);
  const auto path = OutputPath(options, options.hexText ? "hex" : input, Extension(options.format));
  const bool toStandardOutput = !path || *path == kStandardStream;
  // Standard output gets the text as it comes; a file only the whole text.
  const auto flush = [&](std::string& text) {
    if (!toStandardOutput) return true;
    const bool printed = PrintOut(text);
    text.clear();
    return printed;
  };
  std::string out;
  // Program text takes about three bytes for every byte of the program, a
  // listing four; room never written costs nothing.
  if (!toStandardOutput) out.reserve(bytes.size() * 4);
  std::optional<orrikey::decoder::Stop> stop;
  if (!WriteDecoded(bytes, options.format, toStandardOutput ? "\n" : "\r\n", out, flush, stop))
    return kUsageOrFileError;
  if (toStandardOutput) {
    if (!flush(out)) return kUsageOrFileError;
  } else if (!stop) {
    if (const int status = WriteOutput(*path, out)) return status;
  }
  if (stop)
    std::cerr << (options.inputs.size() > 1 ? input + ": " : "")
              << orrikey::decoder::StopMessage(stop) << "\n";
  return stop ? kConversionFailed : kOk;
}

// A file as the system knows it, whatever path reached it.
struct FileId {
  dev_t device;
  ino_t inode;
  bool operator==(const FileId&) const = default;
};

// Standard input is a file too when the shell redirects it from one.
std::optional<FileId> IdOf(const std::string& path) {
  struct stat status;
  const int result = path == kStandardStream ? fstat(STDIN_FILENO, &status) : stat(path.c_str(), &status);
  if (result != 0) return std::nullopt;
  return FileId{status.st_dev, status.st_ino};
}

// Two names of one file: the same path, or the same file reached another
// way. An output that does not exist yet has only its path.
bool SameFile(const std::string& a, const std::optional<FileId>& idOfA, const std::string& b,
              const std::optional<FileId>& idOfB) {
  return (idOfA && idOfA == idOfB) ||
         std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

// An output that would replace an input of the run, or that two inputs would
// both write, would lose a program without a word.
std::optional<std::string> OutputClash(const Options& options, std::string_view extension) {
  if (!options.output || *options.output == kStandardStream || options.hexText) return std::nullopt;
  std::vector<std::optional<FileId>> inputIds;
  for (const std::string& input : options.inputs) inputIds.push_back(IdOf(input));
  std::vector<std::string> outputs;
  std::vector<std::optional<FileId>> outputIds;
  for (const std::string& input : options.inputs) {
    const std::string output = *OutputPath(options, input, extension);
    const std::optional<FileId> id = IdOf(output);
    for (size_t i = 0; i < options.inputs.size(); ++i) {
      const std::string& other = options.inputs[i];
      if (SameFile(output, id, other, inputIds[i]))
        return "-o would replace the input \"" + other + "\"" +
               (other == kStandardStream ? " (standard input)" : "");
    }
    for (size_t i = 0; i < outputs.size(); ++i)
      if (SameFile(output, id, outputs[i], outputIds[i]))
        return "-o would write \"" + output + "\" for both \"" + options.inputs[i] + "\" and \"" +
               input + "\"";
    outputs.push_back(output);
    outputIds.push_back(id);
  }
  return std::nullopt;
}

int RunAll(const Options& options, std::string_view extension,
           int (*convert)(const Options&, const std::string&)) {
  if (options.inputs.size() > 1 && options.output && !IsFolder(*options.output))
    return Usage("-o must name a folder when there are several files");
  if (const auto clash = OutputClash(options, extension)) {
    std::cerr << "orrikey-cli: " << *clash << "; nothing was written\n";
    return kUsageOrFileError;
  }
  int worst = kOk;
  for (const std::string& input : options.inputs) worst = std::max(worst, convert(options, input));
  return worst;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h") {
    std::string help(kHelp);
    std::string spellings;
    for (const std::string& line : orrikey::files::SplitLines(orrikey::listing::DescribeSpellings()))
      spellings += std::string(18, ' ') + line + "\n";
    help.replace(help.find("%SPELLINGS%"), 11, spellings);
    return PrintOut(std::string(kUsage) + "\n" + help) ? kOk : kUsageOrFileError;
  }
  if (command == "--version")
    return PrintOut("orrikey-cli " ORRIKEY_VERSION "\n") ? kOk : kUsageOrFileError;
  if (command == "encode" || command == "decode") {
    const bool decode = command == "decode";
    std::string problem;
    const auto options = ParseOptions(args, decode, problem);
    if (!options) return Usage(problem);
    return RunAll(*options, decode ? Extension(options->format) : kRawExtension,
                  decode ? DecodeOne : EncodeOne);
  }
  if ((command == "check" && args.size() > 1) || (command == "programs" && args.size() == 2)) {
    const std::vector<std::string> files(args.begin() + 1, args.end());
    return command == "check" ? orrikey::cli::Check(files, PrintOut)
                              : orrikey::cli::ListPrograms(files.front(), PrintOut);
  }
  if (command == "check" || command == "programs")
    return Usage(command + (command == "check" ? " needs a file" : " takes one file"));
  return Usage("unknown command '" + command + "'");
}

}  // namespace

// The input files are capped in size, so only a machine short of memory gets
// here; it still gets a message and a failed status, not an abort.
int main(int argc, char** argv) {
  try {
    for (const auto& write : orrikey::files::RecoverInterruptedWrites()) {
      if (!write.message.empty()) std::cerr << "orrikey-cli: " << write.message << "\n";
    }
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    std::cerr << "orrikey-cli: Out of memory\n";
    return kUsageOrFileError;
  }
}
