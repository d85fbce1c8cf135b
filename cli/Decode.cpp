// decode: the bytes of raw files, or hex text, as program text, a listing,
// 8-bit text or hex, on standard output or in files.

#include <cstdint>
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
#include "decoder/Reader.h"
#include "listing/ListingWriter.h"
#include "programtext/Codes.h"
#include "programtext/Utf8.h"
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

struct DecodedText {
  std::string text;
  std::optional<decoder::Stop> stop;  // where the bytes end mid-instruction
};

// The program text, listing or hex of the bytes. Text goes to a file with
// CR LF between lines, as .42S files always had, and to standard output with
// LF after every line.
DecodedText Decoded(std::span<const std::uint8_t> bytes, Format format, std::string_view lineBreak) {
  std::string out;
  // Program text takes about three bytes for every byte of the program, a
  // listing four; room never written costs nothing.
  out.reserve(bytes.size() * 4);
  decoder::Reader reader(bytes);
  decoder::Instruction line;
  if (format == Format::kHex) {
    // All the bytes, but the status tells whether they decode.
    while (reader.Next(line)) {
    }
    text::AppendHex(out, bytes);
    out += '\n';
  } else if (format == Format::kListing) {
    // The listing holds only instructions, so a stop leaves the error line out.
    listing::ListingStream listing(out);
    while (reader.Next(line)) listing.Add(line);
    listing.Finish();
  } else {
    bool first = true;
    const auto startLine = [&] {
      if (!first) out += lineBreak;
      first = false;
    };
    while (reader.Next(line)) {
      startLine();
      // Program text is written as listings spell their instructions.
      if (format == Format::kText) programtext::AppendUtf8(out, line);
      else programtext::AppendCodes(out, line);
    }
    if (reader.stop()) {
      startLine();
      out += decoder::kErrorLine;
    }
    if (lineBreak == "\n") out += '\n';
  }
  return {std::move(out), reader.stop()};
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
  const DecodedText decoded = Decoded(bytes, options.format, toStandardOutput ? "\n" : "\r\n");
  // Standard output gets the text up to the error line; a file only a clean decode.
  if (toStandardOutput) {
    if (!PrintOut(decoded.text)) return kUsageOrFileError;
  } else if (!decoded.stop) {
    if (const int status = WriteOutput(*path, decoded.text)) return status;
  }
  if (!decoded.stop) return kOk;
  std::cerr << (options.arguments.inputs.size() > 1 ? input + ": " : "") << decoder::StopMessage(decoded.stop)
            << "\n";
  return kConversionFailed;
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
