// The core's conversions for the page, through embind: bytes come in as a
// Uint8Array (an std::string of bytes on this side), and results go out as
// objects with typed fields, so that the page parses no text.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Decode.h"
#include "document/OpenProgram.h"
#include "encoder/Assembly.h"
#include "encoder/Encoder.h"
#include "listing/ListingWriter.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace orrikey {
namespace {

using emscripten::val;

// A copy: a view into the module's memory dies when the memory grows.
val Bytes(std::span<const std::uint8_t> bytes) {
  return val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

// Display codes as the editor shows them, one character each.
std::string Shown(std::string_view codes) {
  std::string shown;
  text::AppendDisplayCodesUtf8(shown, codes);
  return shown;
}

const char* FormName(document::FileForm form) {
  switch (form) {
    case document::FileForm::kRaw: return "raw";
    case document::FileForm::kEightBitText: return "8bit";
    case document::FileForm::kProgramText: return "text";
    case document::FileForm::kListing: return "listing";
  }
  return "";
}

const char* ErrorName(encoder::EncodeError error) {
  switch (error) {
    case encoder::EncodeError::kOpcode: return "opcode";
    case encoder::EncodeError::kParameter: return "parameter";
    case encoder::EncodeError::kNumber: return "number";
    case encoder::EncodeError::kString: return "string";
    case encoder::EncodeError::kChar: return "char";
  }
  return "";
}

document::OpenAs OpenAsNamed(const std::string& as) {
  if (as == "raw") return document::OpenAs::kRaw;
  if (as == "text") return document::OpenAs::kText;
  return document::OpenAs::kAny;
}

// Each line with the line of the source it came from, its bytes and hex row,
// and for a line that does not convert its error and message (with the reason
// of a character refused from the page's text, by line index).
val AssemblyLines(const encoder::Assembly& assembly, const std::vector<std::string>& reasons = {}) {
  val lines = val::array();
  for (size_t i = 0; i < assembly.lines().size(); ++i) {
    const encoder::Assembly::Line& line = assembly.lines()[i];
    val out = val::object();
    out.set("line", line.sourceLine);
    out.set("bytes", Bytes(std::span(line.assembled.bytes.data(), line.assembled.bytes.size())));
    out.set("hex", encoder::HexRow(line.assembled));
    out.set("step", line.assembled.isStep());
    if (line.assembled.error) {
      out.set("error", std::string(ErrorName(*line.assembled.error)));
      out.set("message", encoder::FailureMessage(line.sourceLine, *line.assembled.error,
                                                 i < reasons.size() ? reasons[i] : std::string()));
    }
    lines.call<void>("push", out);
  }
  return lines;
}

val Failure(const std::exception& error) {
  val out = val::object();
  out.set("error", std::string(error.what()));
  return out;
}

// A file as the desktop opens it: its form, the text the editor shows, the
// listing lines refused, and every line assembled.
val Open(const std::string& name, const std::string& bytes, const std::string& as) {
  try {
    const document::OpenedProgram opened = document::ReadProgramFile(name, bytes, OpenAsNamed(as));
    val out = val::object();
    out.set("form", std::string(FormName(opened.form)));
    out.set("text", Shown(opened.text));
    out.set("decodeError", opened.decodeError);
    val refused = val::array();
    for (const listing::ListingError& error : opened.refused) {
      val line = val::object();
      line.set("line", error.fileLine);
      line.set("reason", error.reason);
      line.set("message", encoder::FailureMessage(error.fileLine, encoder::EncodeError::kChar, error.reason));
      refused.call<void>("push", line);
    }
    out.set("refused", refused);
    out.set("charErrorRow", std::string(encoder::ErrorLine(encoder::EncodeError::kChar)));
    out.set("lines", AssemblyLines(opened.assembly));
    out.set("size", opened.assembly.size());
    out.set("failures", opened.assembly.failureCount() + opened.refused.size());
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// Raw bytes as program text in UTF-8, a line per instruction as
// `orrikey-cli decode` writes them, and the message where decoding stopped.
val Decode(const std::string& bytes) {
  try {
    const decoder::Decoded decoded = decoder::Decode(decoder::AsBytes(bytes));
    val lines = val::array();
    for (const decoder::Line& line : decoded.lines) {
      const std::string_view codes = decoded.TextOf(line);
      lines.call<void>("push", listing::StandsAsItIs(codes) ? std::string(codes)
                                                            : listing::ListingInstruction(codes));
    }
    val out = val::object();
    out.set("lines", lines);
    out.set("error", decoder::StopMessage(decoded.stop));
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// Raw bytes as the calculator lists them (the instructions before any stop).
val DecodeListing(const std::string& bytes) {
  try {
    const decoder::Decoded decoded = decoder::Decode(decoder::AsBytes(bytes));
    std::vector<listing::ListedLine> lines;
    lines.reserve(decoded.lines.size());
    for (const decoder::Line& line : decoded.lines)
      lines.push_back({decoded.TextOf(line), line.size, line.endsProgram(), line.dropped()});
    val out = val::object();
    out.set("listing", listing::WriteListing(lines));
    out.set("error", decoder::StopMessage(decoded.stop));
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// The page's text, its lines split at LF: each character to the display code
// it shows or stands for, as the editor takes typed characters. A line with a
// character of no code fails, naming it.
struct PageText {
  encoder::Assembly assembly;
  std::vector<std::string> codes;
  std::vector<std::string> reasons;
};

PageText ReadPageText(const std::string& text) {
  PageText page;
  size_t start = 0;
  for (size_t number = 1; start <= text.size(); ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string codes;
    std::optional<char32_t> refused;
    const bool whole = text::ReadUtf8(std::string_view(text).substr(start, end - start), [&](char32_t c) {
      const auto code = text::TypedDisplayCode(c);
      if (!code) refused = c;
      else codes += static_cast<char>(*code);
      return code.has_value();
    });
    // A lone surrogate of the page's string reaches here as no UTF-8 at all.
    if (!whole && !refused) refused = U'\uFFFD';
    page.reasons.push_back(refused ? "The character " + text::NameCharacter(*refused) + " has no calculator code"
                                   : std::string());
    page.assembly.Append({number, refused ? encoder::Failed(encoder::EncodeError::kChar)
                                          : encoder::AssembleLine(codes)});
    page.codes.push_back(std::move(codes));
    start = end + 1;
  }
  return page;
}

// The page's text assembled: every line, the size and the failures.
val Assemble(const std::string& text) {
  try {
    const PageText page = ReadPageText(text);
    val out = val::object();
    out.set("lines", AssemblyLines(page.assembly, page.reasons));
    out.set("size", page.assembly.size());
    out.set("failures", page.assembly.failureCount());
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// What Save Raw and Save Listing write of the page's text; nothing while a
// line does not convert, as on the desktop.
val Export(const std::string& text) {
  try {
    const PageText page = ReadPageText(text);
    val out = val::object();
    if (page.assembly.failureCount() > 0) {
      out.set("failures", page.assembly.failureCount());
      return out;
    }
    const std::vector<std::uint8_t> raw = page.assembly.Bytes();
    out.set("raw", Bytes(raw));
    std::vector<listing::ListedLine> lines;
    for (size_t i = 0; i < page.codes.size(); ++i) {
      const encoder::AssembledLine& line = page.assembly.lines()[i].assembled;
      if (line.isStep()) lines.push_back({page.codes[i], line.bytes.size(), line.endsProgram()});
    }
    out.set("listing", listing::WriteListing(lines));
    out.set("failures", 0);
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

}  // namespace
}  // namespace orrikey

EMSCRIPTEN_BINDINGS(orrikey_core) {
  emscripten::function("open", &orrikey::Open);
  emscripten::function("decode", &orrikey::Decode);
  emscripten::function("decodeListing", &orrikey::DecodeListing);
  emscripten::function("assemble", &orrikey::Assemble);
  emscripten::function("exportProgram", &orrikey::Export);
}
