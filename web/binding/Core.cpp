// The core's conversions for the page, through embind: bytes come in as a
// Uint8Array (an std::string of bytes on this side), and results go out as
// objects with typed fields, so that the page parses no text.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Decode.h"
#include "decoder/LineReader.h"
#include "document/OpenProgram.h"
#include "document/TypedLine.h"
#include "encoder/Assembly.h"
#include "encoder/Encoder.h"
#include "listing/ListingReader.h"
#include "listing/ListingWriter.h"
#include "listing/PastedListing.h"
#include "tables/Tables.h"
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

// A failed line's message, with the page's own reason for a character it
// refused, else the line's.
std::string FailureMessage(const encoder::Assembly::Line& line, const std::string& pageReason) {
  return pageReason.empty() ? encoder::FailureMessage(line.sourceLine, line.assembled)
                            : encoder::FailureMessage(line.sourceLine, *line.assembled.error, pageReason);
}

// Lines [first, end) with the line of the source each came from, its bytes
// and hex row, and for a line that does not convert its error and message
// (with the reason of a character refused from the page's text, by line
// index).
val AssemblyLines(const encoder::Assembly& assembly, const std::vector<std::string>& reasons, size_t first,
                  size_t end) {
  val lines = val::array();
  for (size_t i = first; i < end; ++i) {
    const encoder::Assembly::Line& line = assembly.lines()[i];
    val out = val::object();
    out.set("line", line.sourceLine);
    out.set("bytes", Bytes(std::span(line.assembled.bytes.data(), line.assembled.bytes.size())));
    out.set("hex", encoder::HexRow(line.assembled));
    out.set("step", line.assembled.isStep());
    if (line.assembled.error) {
      out.set("error", std::string(ErrorName(*line.assembled.error)));
      out.set("message", FailureMessage(line, i < reasons.size() ? reasons[i] : std::string()));
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
val Opened(const document::OpenedProgram& opened) {
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
    out.set("lines", AssemblyLines(opened.assembly, {}, 0, opened.assembly.lines().size()));
    out.set("size", encoder::SizeText(opened.assembly.Programs()));
    out.set("failures", opened.assembly.failureCount() + opened.refused.size());
    return out;
}

val Open(const std::string& name, const std::string& bytes, const std::string& as) {
  try {
    return Opened(document::ReadProgramFile(name, bytes, OpenAsNamed(as)));
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// Raw bytes as program text in UTF-8, a line per instruction as
// `orrikey-cli decode` writes them, and the message where decoding stopped.
val Decode(const std::string& bytes) {
  try {
    decoder::LineReader reader(decoder::AsBytes(bytes),
                               decoder::LineReader::TextWriter{listing::WriteListingInstruction, listing::ListingRoom});
    val lines = val::array();
    for (decoder::Line line; reader.Next(line);) lines.call<void>("push", std::string(reader.text()));
    val out = val::object();
    out.set("lines", lines);
    out.set("error", decoder::StopMessage(reader.stop()));
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
struct PageLine {
  encoder::Assembly::Line line;
  std::string codes;
  std::string reason;
};

PageLine ReadPageLine(std::string_view text, size_t number) {
  std::string codes;
  std::optional<char32_t> refused;
  const bool whole = text::ReadUtf8(text, [&](char32_t c) {
    const auto code = text::TypedDisplayCode(c);
    if (!code) refused = c;
    else codes += static_cast<char>(*code);
    return code.has_value();
  });
  // A lone surrogate of the page's string reaches here as no UTF-8 at all.
  if (!whole && !refused) refused = U'\uFFFD';
  if (refused)
    return {{number, encoder::Failed(encoder::EncodeError::kChar)}, std::move(codes),
            "The character " + text::NameCharacter(*refused) + " has no calculator code"};
  document::TypedLine typed = document::ReadTypedLine(codes);
  if (!typed.spelled.empty()) codes = std::move(typed.spelled);
  return {{number, std::move(typed.assembled)}, std::move(codes), {}};
}

template <typename Take>
void ForEachPageLine(std::string_view text, size_t firstNumber, const Take& take) {
  for (size_t start = 0, number = firstNumber;; ++number) {
    const size_t end = std::min(text.find('\n', start), text.size());
    take(ReadPageLine(text.substr(start, end - start), number));
    if (end == text.size()) break;
    start = end + 1;
  }
}

struct PageText {
  encoder::Assembly assembly;
  std::vector<std::string> codes;
};

PageText ReadPageText(const std::string& text) {
  PageText page;
  ForEachPageLine(text, 1, [&](PageLine line) {
    page.assembly.Append(std::move(line.line));
    page.codes.push_back(std::move(line.codes));
  });
  return page;
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

// The page's text as it is edited: each change assembles only the lines it
// replaced, and the size and the failures are kept as the lines change.
class PageAssembly {
 public:
  // Replaces `count` lines from `first` on with the lines of `text`, split at
  // LF, and gives those lines back.
  val replace(size_t first, size_t count, const std::string& text) {
    try {
      std::vector<encoder::Assembly::Line> lines;
      std::vector<std::string> reasons;
      ForEachPageLine(text, first + 1, [&](PageLine line) {
        lines.push_back(std::move(line.line));
        reasons.push_back(std::move(line.reason));
      });
      const size_t added = lines.size();
      assembly_.Replace(first, count, std::move(lines));
      const auto at = reasons_.begin() + static_cast<std::ptrdiff_t>(first);
      reasons_.insert(reasons_.erase(at, at + static_cast<std::ptrdiff_t>(count)),
                      std::make_move_iterator(reasons.begin()), std::make_move_iterator(reasons.end()));
      return AssemblyLines(assembly_, reasons_, first, first + added);
    } catch (const std::exception& error) {
      return Failure(error);
    }
  }

  // A file as the desktop opens it, which becomes the page's text; its
  // lines keep the file's numbers. A final line break leaves an empty last
  // line that the file does not count.
  val open(const std::string& name, const std::string& bytes, const std::string& as) {
    try {
      document::OpenedProgram opened = document::ReadProgramFile(name, bytes, OpenAsNamed(as));
      encoder::Assembly& lines = opened.assembly;
      const size_t shown = size_t(std::count(opened.text.begin(), opened.text.end(), '\n')) + 1;
      while (lines.lines().size() < shown) lines.Append({lines.lines().size() + 1, {}});
      val out = Opened(opened);
      assembly_ = std::move(lines);
      reasons_.assign(assembly_.lines().size(), std::string());
      return out;
    } catch (const std::exception& error) {
      return Failure(error);
    }
  }

  // What looks at the whole text: the size and every failed line.
  val summary() const {
    val out = val::object();
    out.set("size", encoder::SizeText(assembly_.Programs()));
    out.set("failures", assembly_.failureCount());
    val failed = val::array();
    for (size_t index : assembly_.FailedLines()) {
      const encoder::Assembly::Line& line = assembly_.lines()[index];
      val item = val::object();
      item.set("index", index);
      item.set("message", FailureMessage(line, reasons_[index]));
      failed.call<void>("push", item);
    }
    out.set("failed", failed);
    return out;
  }

 private:
  encoder::Assembly assembly_;
  std::vector<std::string> reasons_;
};

// Pasted text as the editor takes it: a listing becomes program lines.
val ReadPasted(const std::string& pasted) {
  try {
    val out = val::object();
    const std::optional<listing::PastedListing> listing = listing::ReadPastedListing(pasted);
    out.set("text", listing ? listing->text : pasted);
    if (listing && listing->firstRefused) out.set("refused", listing->message());
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// The calculator's own characters that a keyboard lacks, as the page shows
// them: its characters 0 to 31 in its order, then the append sign.
val CalculatorCharacters() {
  val characters = val::array();
  for (unsigned char code : tables::CharMap())
    characters.call<void>("push", std::string(text::DisplayCodeUtf8(code)));
  characters.call<void>("push", std::string(text::DisplayCodeUtf8(*text::DisplayCodeOf(U'├'))));
  return characters;
}

}  // namespace
}  // namespace orrikey

EMSCRIPTEN_BINDINGS(orrikey_core) {
  emscripten::function("open", &orrikey::Open);
  emscripten::function("decode", &orrikey::Decode);
  emscripten::function("decodeListing", &orrikey::DecodeListing);
  emscripten::function("exportProgram", &orrikey::Export);
  emscripten::function("readPasted", &orrikey::ReadPasted);
  emscripten::function("calculatorCharacters", &orrikey::CalculatorCharacters);
  emscripten::class_<orrikey::PageAssembly>("PageAssembly")
      .constructor<>()
      .function("replace", &orrikey::PageAssembly::replace)
      .function("open", &orrikey::PageAssembly::open)
      .function("summary", &orrikey::PageAssembly::summary);
}
