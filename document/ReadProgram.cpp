#include "document/OpenProgram.h"

#include <algorithm>
#include <filesystem>

#include "decoder/Decode.h"
#include "document/TypedLine.h"
#include "files/ProgramText.h"
#include "text/Lines.h"
#include "text/Utf8.h"

namespace orrikey::document {
namespace {

constexpr size_t kRawMarkSpan = 4096;

bool HasExtension(const std::string& path, std::string_view extension) {
  std::string found = std::filesystem::path(path).extension().string();
  std::transform(found.begin(), found.end(), found.begin(), [](unsigned char c) { return std::tolower(c); });
  return found == extension;
}

bool HoldsControlBytes(std::string_view start) {
  return std::any_of(start.begin(), start.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n';
  });
}

bool LooksRaw(const std::string& path, std::string_view bytes) {
  if (HasExtension(path, ".raw")) return true;
  if (HasExtension(path, ".42s")) return false;
  return HoldsControlBytes(bytes.substr(0, kRawMarkSpan));
}

// Text as it stands, normalised, every line numbered as the file numbers it
// and assembled where it stands in the text.
OpenedProgram AsItStands(FileForm form, std::string_view text) {
  OpenedProgram opened;
  opened.form = form;
  opened.text = files::NormaliseProgramText(text);
  opened.assembly.Reserve(text::ExpectedLines(opened.text));
  text::ForEachLine(opened.text, [&opened](size_t number, std::string_view line) {
    TypedLine typed = ReadTypedLine(line);
    if (!typed.spelled.empty()) opened.respelled.emplace_back(number - 1, std::move(typed.spelled));
    opened.assembly.Append({number, std::move(typed.assembled)});
  });
  return opened;
}

// Each line is assembled as the reader hands it over, and joined to the text.
OpenedProgram AsListing(std::string_view bytes) {
  OpenedProgram opened;
  opened.form = FileForm::kListing;
  const size_t lines = text::ExpectedLines(bytes);
  // A program line is never longer than the file's line, and CR LF adds at
  // most one byte to that line's break.
  opened.text.reserve(bytes.size() + lines);
  opened.assembly.Reserve(lines);
  listing::ReadListing(
      bytes,
      [&opened](size_t fileLine, std::string_view line) {
        if (!opened.assembly.lines().empty()) opened.text += "\r\n";
        opened.text += line;
        opened.assembly.Append({fileLine, encoder::AssembleLine(line)});
      },
      [&opened](listing::ListingError error) { opened.refused.push_back(std::move(error)); });
  return opened;
}

size_t Failures(const OpenedProgram& opened) {
  return opened.assembly.failureCount() + opened.refused.size();
}

// A decoded line keeps the file's own bytes, the offsets a calculator fills
// into its jumps and labels included, and the row the decoder read it as.
encoder::AssembledLine AsAssembled(const decoder::Line& line, std::string_view bytes) {
  const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data()) + line.offset;
  encoder::Instruction instruction;
  if (line.fixedOp) instruction = line.fixedOp;
  else if (line.modOp) instruction = line.modOp;
  encoder::AssembledLine assembled{{}, std::nullopt, std::nullopt, instruction};
  assembled.bytes.append(std::span(first, line.size));
  return assembled;
}

}  // namespace

// Line breaks of any convention split the lines alike for the UTF-8 check
// and the listing reader, so only the text kept as it stands is normalised.
OpenedProgram ReadProgramText(std::string_view bytes) {
  if (!text::IsUtf8(bytes)) return AsItStands(FileForm::kEightBitText, bytes);
  const std::optional<std::string> codes = listing::ReadUtf8ProgramText(bytes);
  if (!codes) return AsListing(bytes);
  OpenedProgram asText = AsItStands(FileForm::kProgramText, *codes);
  if (Failures(asText) == 0) return asText;
  // Text spelled the way listings spell it ("X#0?", "1E3", "STO* 05", "#"
  // comments) converts better as a listing; other text keeps its comments
  // and blank lines, failing lines and all, so that nothing of it is lost.
  OpenedProgram asListing = AsListing(bytes);
  return Failures(asListing) < Failures(asText) ? std::move(asListing) : std::move(asText);
}

OpenedProgram ReadRawProgram(std::string_view bytes) {
  const decoder::Decoded decoded = decoder::Decode(decoder::AsBytes(bytes));
  const std::vector<std::string> lines = decoder::ProgramText(decoded);
  OpenedProgram opened;
  opened.form = FileForm::kRaw;
  opened.text = files::JoinLines(lines);
  opened.assembly.Reserve(lines.size());
  for (size_t i = 0; i < decoded.lines.size(); ++i)
    opened.assembly.Append({i + 1, AsAssembled(decoded.lines[i], bytes)});
  if (decoded.stop)
    opened.assembly.Append({lines.size(), encoder::AssembleLine(decoder::kErrorLine)});
  opened.decodeError = decoder::StopMessage(decoded.stop);
  return opened;
}

OpenedProgram ReadProgramFile(const std::string& path, std::string_view bytes, OpenAs as) {
  if (as == OpenAs::kRaw || (as == OpenAs::kAny && LooksRaw(path, bytes)))
    return ReadRawProgram(bytes);
  files::RefuseNulByte(path, bytes);
  return ReadProgramText(bytes);
}

}  // namespace orrikey::document
