// The core's conversions for the page, through embind: bytes come in as a
// Uint8Array (an std::string of bytes on this side), and results go out as
// objects with typed fields, so that the page parses no text.

#include <emscripten/bind.h>
#include <emscripten/em_js.h>
#include <emscripten/em_macros.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/Reader.h"
#include "document/OpenProgram.h"
#include "editing/ProgramModel.h"
#include "encoder/Assembly.h"
#include "encoder/Encoder.h"
#include "listing/ListingReader.h"
#include "listing/ListingWriter.h"
#include "listing/PastedListing.h"
#include "programtext/Utf8.h"
#include "tables/Tables.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

// A diagnostic or a label as one object made on the page's side: a long
// text may have thousands, and each property set from here would cross
// over on its own. Their bodies are JavaScript, laid out as such.
// clang-format off
EM_JS(void, PushDiagnostic, (emscripten::EM_VAL list, size_t line, size_t sourceLine, size_t begin, size_t end,
                             int severity, const char* message, const char* fix, const char* failure), {
  const diagnostic = {line, sourceLine, begin, end, severity: ['error', 'warning', 'note'][severity],
                      message: UTF8ToString(message)};
  if (HEAPU8[fix]) diagnostic.fix = UTF8ToString(fix);
  if (HEAPU8[failure]) diagnostic.failure = UTF8ToString(failure);
  Emval.toValue(list).push(diagnostic);
});

EM_JS(void, PushLabel, (emscripten::EM_VAL list, size_t line, const char* name), {
  Emval.toValue(list).push({line, name: UTF8ToString(name)});
});
// clang-format on

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

template <typename T>
val OrUndefined(const std::optional<T>& value) {
  return value ? val(*value) : val::undefined();
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

// Lines [first, end) with the line of the source each came from, its bytes
// and hex row, and for a line that does not convert its error and the
// message `messageOf` gives it.
template <typename MessageOf>
val AssemblyLines(const encoder::Assembly& assembly, size_t first, size_t end, const MessageOf& messageOf) {
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
      out.set("message", messageOf(i));
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

// What opening a file tells besides its lines: its form, the text the
// editor shows, and the listing lines refused.
val OpenedFile(const document::OpenedProgram& opened) {
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
  return out;
}

// A file as `orrikey-cli encode` reads it: every line assembled, with the
// encoder's own messages.
val Open(const std::string& name, const std::string& bytes, const std::string& as) {
  try {
    const document::OpenedProgram opened = document::ReadProgramFile(name, bytes, OpenAsNamed(as));
    const encoder::Assembly& assembly = opened.assembly;
    val out = OpenedFile(opened);
    out.set("lines", AssemblyLines(assembly, 0, assembly.lines().size(), [&](size_t i) {
              return encoder::FailureMessage(assembly.lines()[i].sourceLine, assembly.lines()[i].assembled);
            }));
    out.set("size", encoder::SizeText(assembly.Programs()));
    out.set("failures", assembly.failureCount() + opened.refused.size());
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// Raw bytes as program text in UTF-8, a line per instruction as
// `orrikey-cli decode` writes them, and the message where decoding stopped.
val Decode(const std::string& bytes) {
  try {
    decoder::Reader reader(decoder::AsBytes(bytes));
    val lines = val::array();
    std::string text;
    for (decoder::Instruction line; reader.Next(line);) {
      text.clear();
      programtext::AppendUtf8(text, line);
      lines.call<void>("push", text);
    }
    val out = val::object();
    out.set("lines", lines);
    out.set("error", decoder::StopMessage(reader.stop()));
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

val DecodeListing(const std::string& bytes) {
  try {
    const decoder::Decoded decoded = decoder::Decode(decoder::AsBytes(bytes));
    val out = val::object();
    out.set("listing", listing::WriteListingOf(decoded));
    out.set("error", decoder::StopMessage(decoded.stop));
    return out;
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// What Save Raw and Save Listing write of a program text; nothing while a
// line does not convert, as on the desktop. The listing is the calculator's
// own of the bytes saved raw, so it spells every line as the calculator
// does, whatever spelling the text was typed in.
val Export(const editing::ProgramModel& model) {
  val out = val::object();
  out.set("failures", model.errorCount());
  if (model.errorCount() > 0) return out;
  const std::vector<std::uint8_t> raw = model.assembly().Bytes();
  out.set("raw", Bytes(raw));
  out.set("listing", model.Listing());
  return out;
}

val ExportText(const std::string& text) {
  try {
    editing::ProgramModel model;
    model.Replace(0, 1, text);
    return Export(model);
  } catch (const std::exception& error) {
    return Failure(error);
  }
}

// The page's text as it is edited, in the core's editing model: each change
// reads only the lines it replaced, and everything else the page shows is
// asked of the model. Lines are numbered from 0 here, columns count
// characters, and text is UTF-8.
class PageModel {
 public:
  // Replaces `count` lines from `first` on with the lines of `text`, split at
  // LF, and gives those lines' rows back.
  val replace(size_t first, size_t count, const std::string& text) {
    try {
      const size_t before = model_.lineCount();
      model_.Replace(first, count, text);
      return Rows(first, first + model_.lineCount() + count - before);
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
      val out = OpenedFile(opened);
      const size_t refused = opened.refused.size();
      const size_t shown = size_t(std::count(opened.text.begin(), opened.text.end(), '\n')) + 1;
      const needs::Target target = model_.target();
      model_ = editing::ProgramModel(std::move(opened));
      model_.SetTarget(target);
      if (model_.lineCount() < shown) model_.Replace(model_.lineCount(), 0, "");
      out.set("lines", Rows(0, model_.lineCount()));
      out.set("size", model_.TotalSize());
      out.set("failures", model_.errorCount() + refused);
      return out;
    } catch (const std::exception& error) {
      return Failure(error);
    }
  }

  // The calculators the diagnostics answer to, by the names the command
  // line takes; an unknown name is today's.
  void setTarget(const std::string& name) {
    model_.SetTarget(needs::TargetNamed(name).value_or(needs::Target::kToday));
  }

  // Errors, warnings and notes in line order, each with the line the
  // messages name (a file's own numbering) and an error with its line as
  // the hex column's error row and message say it. A keystroke changes
  // those of a line or two at most, so the others are handed back as the
  // objects they were, and an unchanged list as the same array.
  val diagnostics() {
    std::vector<GivenDiagnostic> found;
    for (editing::Diagnostic& diagnostic : model_.Diagnostics()) {
      const size_t sourceLine = model_.assembly().lines()[diagnostic.line].sourceLine;
      found.push_back({std::move(diagnostic), sourceLine});
    }
    const size_t kept = std::min(found.size(), given_.size());
    size_t before = 0, after = 0;
    while (before < kept && found[before] == given_[before]) ++before;
    while (after < kept - before && found[found.size() - 1 - after] == given_[given_.size() - 1 - after])
      ++after;
    if (before == found.size() && found.size() == given_.size()) return givenList_;
    val list = givenList_.call<val>("slice", 0, before);
    for (size_t i = before; i < found.size() - after; ++i) {
      const editing::Diagnostic& diagnostic = found[i].diagnostic;
      const encoder::AssembledLine& line = model_.assembly().lines()[diagnostic.line].assembled;
      const std::string failure =
          diagnostic.severity == editing::Severity::kError && line.error
              ? encoder::FailureMessage(found[i].sourceLine, *line.error, diagnostic.message)
              : std::string();
      PushDiagnostic(list.as_handle(), diagnostic.line, found[i].sourceLine, diagnostic.begin, diagnostic.end,
                     int(diagnostic.severity), diagnostic.message.c_str(), diagnostic.fix.c_str(),
                     failure.c_str());
    }
    givenList_ = list.call<val>("concat", givenList_.call<val>("slice", given_.size() - after));
    given_ = std::move(found);
    return givenList_;
  }

  size_t errorCount() const { return model_.errorCount(); }

  std::string sizeOf(size_t line) const { return model_.SizeOf(line); }
  std::string totalSize() const { return model_.TotalSize(); }

  val outline() const {
    val programs = val::array();
    for (const editing::OutlineProgram& program : model_.Outline()) {
      val out = val::object();
      out.set("name", program.name);
      out.set("first", program.first);
      out.set("end", program.end);
      out.set("size", program.size);
      out.set("steps", program.steps);
      out.set("needs", program.needs);
      val labels = val::array();
      for (const editing::OutlineLabel& label : program.labels)
        PushLabel(labels.as_handle(), label.line, label.name.c_str());
      out.set("labels", labels);
      programs.call<void>("push", out);
    }
    return programs;
  }

  // The program, step and byte of a line; a line past the last program has
  // no program and no name.
  val place(size_t line) const {
    val out = val::object();
    if (line >= model_.lineCount()) return out;
    const editing::Place at = model_.PlaceOf(line);
    if (at.program) {
      out.set("program", *at.program);
      out.set("name", model_.ProgramName(*at.program));
    }
    out.set("step", at.step);
    out.set("offset", at.offset);
    return out;
  }

  val completions(size_t line, size_t column) const {
    const editing::Completion completion = model_.CompletionsAt(line, column);
    val out = val::object();
    out.set("start", completion.start);
    val words = val::array();
    for (const std::string& word : completion.words) words.call<void>("push", word);
    out.set("words", words);
    return out;
  }

  val help(size_t line) const { return OrUndefined(model_.HelpAt(line)); }
  val definition(size_t line) const {
    return InText(line) ? OrUndefined(model_.DefinitionAt(line)) : val::undefined();
  }
  val labelName(size_t line) const {
    return InText(line) ? OrUndefined(model_.LabelNameAt(line)) : val::undefined();
  }

  val uses(size_t line) const {
    val lines = val::array();
    if (InText(line))
      for (size_t use : model_.UsesAt(line)) lines.call<void>("push", use);
    return lines;
  }

  // The lines to write whole, or why not.
  val rename(size_t line, const std::string& name) const {
    const editing::RenameResult result =
        InText(line) ? model_.RenameAt(line, name) : editing::RenameResult{{}, "No such line"};
    val out = val::object();
    if (!result.refusal.empty()) out.set("refusal", result.refusal);
    val edits = val::array();
    for (const editing::LineEdit& edit : result.edits) {
      val item = val::object();
      item.set("line", edit.line);
      item.set("text", edit.text);
      edits.call<void>("push", item);
    }
    out.set("edits", edits);
    return out;
  }

  std::string text() const { return model_.Text(); }
  val exportProgram() const { return Export(model_); }

 private:
  bool InText(size_t line) const { return line < model_.lineCount(); }

  struct GivenDiagnostic {
    editing::Diagnostic diagnostic;
    size_t sourceLine = 0;
    bool operator==(const GivenDiagnostic& other) const {
      const editing::Diagnostic& a = diagnostic;
      const editing::Diagnostic& b = other.diagnostic;
      return a.line == b.line && a.begin == b.begin && a.end == b.end && a.severity == b.severity &&
             sourceLine == other.sourceLine && a.message == b.message && a.fix == b.fix;
    }
  };

  // A failed line's message names its hex row and what the model finds
  // wrong with it.
  val Rows(size_t first, size_t end) const {
    const encoder::Assembly& assembly = model_.assembly();
    return AssemblyLines(assembly, first, end, [&](size_t i) {
      const encoder::Assembly::Line& line = assembly.lines()[i];
      for (const editing::Diagnostic& diagnostic : model_.DiagnosticsOn(i))
        if (diagnostic.severity == editing::Severity::kError)
          return encoder::FailureMessage(line.sourceLine, *line.assembled.error, diagnostic.message);
      return encoder::FailureMessage(line.sourceLine, line.assembled);
    });
  }

  editing::ProgramModel model_;
  // The diagnostics last handed out, and the array they went out in.
  std::vector<GivenDiagnostic> given_;
  val givenList_ = val::array();
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
  emscripten::function("exportProgram", &orrikey::ExportText);
  emscripten::function("readPasted", &orrikey::ReadPasted);
  emscripten::function("calculatorCharacters", &orrikey::CalculatorCharacters);
  emscripten::class_<orrikey::PageModel>("ProgramModel")
      .constructor<>()
      .function("replace", &orrikey::PageModel::replace)
      .function("open", &orrikey::PageModel::open)
      .function("setTarget", &orrikey::PageModel::setTarget)
      .function("diagnostics", &orrikey::PageModel::diagnostics)
      .function("errorCount", &orrikey::PageModel::errorCount)
      .function("sizeOf", &orrikey::PageModel::sizeOf)
      .function("totalSize", &orrikey::PageModel::totalSize)
      .function("outline", &orrikey::PageModel::outline)
      .function("place", &orrikey::PageModel::place)
      .function("completions", &orrikey::PageModel::completions)
      .function("help", &orrikey::PageModel::help)
      .function("definition", &orrikey::PageModel::definition)
      .function("labelName", &orrikey::PageModel::labelName)
      .function("uses", &orrikey::PageModel::uses)
      .function("rename", &orrikey::PageModel::rename)
      .function("text", &orrikey::PageModel::text)
      .function("exportProgram", &orrikey::PageModel::exportProgram);
}
