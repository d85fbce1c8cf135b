// decode: the bytes of raw files, or hex text, as program text, a listing,
// 8-bit text or hex, on standard output or in files.

#include <cstdint>
#include <functional>
#include <iostream>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/EachInput.h"
#include "cli/ExitStatus.h"
#include "cli/HexArgument.h"
#include "cli/Input.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "decoder/Decode.h"
#include "decoder/LineReader.h"
#include "listing/ListingWriter.h"
#include "text/Hex.h"

namespace orrikey::cli {
namespace {

enum class Format { kText, kListing, kEightBit, kHex };

struct Options {
  Arguments arguments;  // files, or the hex text with --hex
  bool hexText = false;
  Format format = Format::kText;
};

std::optional<Format> ParseFormat(std::string_view name) {
  if (name == "text") return Format::kText;
  if (name == "listing") return Format::kListing;
  if (name == "8bit") return Format::kEightBit;
  if (name == "hex") return Format::kHex;
  return std::nullopt;
}

std::string_view Extension(Format format) {
  switch (format) {
    case Format::kListing: return ".txt";
    case Format::kHex: return ".hex";
    default: return ".42S";
  }
}

// Standard output takes the text in chunks of this size.
constexpr size_t kChunk = 1 << 16;

// Program text or 8-bit text, after `first`, each line written straight
// into the output: the lines read before a run at a time, each other line
// alone. Room is made a chunk at a time so that the cleared room is written
// while it is still in the cache; `used` ends what is written. A flush that
// keeps the text wants it whole at the end, so it is not asked again.
bool WriteLines(decoder::LineReader& reader, std::string_view lineBreak,
                std::string& out, const std::function<bool(std::string&)>& flush, bool& first) {
  decoder::Line line;
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
                  std::optional<decoder::Stop>& stop) {
  // Program text is written as listings spell their instructions.
  const decoder::LineReader::TextWriter spelling = {listing::WriteListingInstruction,
                                                     listing::ListingRoom};
  decoder::LineReader reader(bytes, format == Format::kText ? std::optional(spelling) : std::nullopt);
  decoder::Line line;
  bool first = true;
  const auto breakLine = [&] {
    if (!first) out.append(lineBreak);
    first = false;
  };
  const auto fits = [&] { return out.size() < kChunk || flush(out); };
  if (format == Format::kHex) {
    while (reader.Next(line)) {}
  } else if (format == Format::kListing) {
    listing::ListingStream listing(out);
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
    text::AppendHex(out, bytes);
    out += '\n';
    return true;
  }
  // The listing holds only instructions, so a stop leaves the error line out.
  if (format == Format::kListing) return true;
  if (stop) {
    breakLine();
    out.append(decoder::kErrorLine);
    if (!fits()) return false;
  }
  if (lineBreak == "\n") out += '\n';
  return true;
}

int DecodeOne(const Options& options, const std::string& input) {
  std::string fileBytes;
  std::vector<std::uint8_t> hexBytes;
  if (options.hexText) {
    std::string problem;
    auto parsed = ParseHexArgument(input, problem);
    if (!parsed) {
      Complain(problem);
      return kConversionFailed;
    }
    hexBytes = std::move(*parsed);
  } else {
    try {
      fileBytes = ReadRawInput(input);
    } catch (const std::runtime_error& error) {
      return FileError(error);
    }
  }
  const std::span<const std::uint8_t> bytes =
      options.hexText ? std::span<const std::uint8_t>(hexBytes) : decoder::AsBytes(fileBytes);
  const auto path =
      OutputPath(options.arguments.output, options.hexText ? "hex" : input, Extension(options.format));
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
  std::optional<decoder::Stop> stop;
  if (!WriteDecoded(bytes, options.format, toStandardOutput ? "\n" : "\r\n", out, flush, stop))
    return kUsageOrFileError;
  if (toStandardOutput) {
    if (!flush(out)) return kUsageOrFileError;
  } else if (!stop) {
    if (const int status = WriteOutput(*path, out)) return status;
  }
  if (stop)
    std::cerr << (options.arguments.inputs.size() > 1 ? input + ": " : "")
              << decoder::StopMessage(stop) << "\n";
  return stop ? kConversionFailed : kOk;
}

}  // namespace

int Decode(std::span<const std::string> args) {
  Options options;
  const ValueOption valueOptions[] = {
      {"--format",
       [&](const std::string& name, Arguments&) -> std::optional<std::string> {
         const auto format = ParseFormat(name);
         if (!format) return "unknown format '" + name + "' (text, listing, 8bit or hex)";
         options.format = *format;
         return std::nullopt;
       }},
      {"--hex",
       [&](const std::string& hex, Arguments& arguments) -> std::optional<std::string> {
         options.hexText = true;
         arguments.inputs.push_back(hex);
         return std::nullopt;
       }},
  };
  std::string problem;
  auto arguments = ParseArguments(args, valueOptions, "a file or hex text", problem);
  if (!arguments) return Usage(problem);
  if (options.hexText && arguments->inputs.size() != 1) return Usage("--hex takes one hex text and no files");
  options.arguments = std::move(*arguments);
  // Hex text is no file that an output could replace.
  if (options.hexText) return DecodeOne(options, options.arguments.inputs.front());
  return ConvertEach(options.arguments, Extension(options.format),
                     [&](const std::string& input) { return DecodeOne(options, input); });
}

}  // namespace orrikey::cli
