#include "document/OpenProgram.h"

#include <algorithm>
#include <filesystem>

#include "decoder/Reader.h"
#include "document/TypedLine.h"
#include "files/ProgramText.h"
#include "programtext/Codes.h"
#include "programtext/EightBit.h"
#include "programtext/Utf8.h"
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

// Every line of program text numbered as the file numbers it and read as
// typed, the text normalised first.
void TextLines(std::string_view normalised, const TakeProgramLine& take) {
  text::ForEachLine(normalised, [&take](size_t number, std::string_view codes) {
    TypedLine typed = ReadTypedLine(codes);
    ProgramLine line{number, codes, std::move(typed.assembled), std::move(typed.spelled)};
    take(line);
  });
}

void ListingLines(std::string_view bytes, const TakeProgramLine& take, const listing::TakeError& refuse) {
  listing::ReadListing(
      bytes,
      [&take](size_t fileLine, std::string_view codes) {
        ProgramLine line{fileLine, codes, encoder::AssembleLine(codes), {}};
        take(line);
      },
      refuse);
}

// A decoded line keeps the file's own bytes, the offsets a calculator fills
// into its jumps and labels included, and the row the decoder read it as;
// where the bytes stop mid-instruction, the decoder's error line ends them.
std::string RawLines(std::string_view bytes, const TakeProgramLine& take) {
  decoder::Reader reader(decoder::AsBytes(bytes));
  decoder::Instruction read;
  std::string codes;
  size_t count = 0;
  while (reader.Next(read)) {
    encoder::Instruction instruction;
    if (read.fixedOp) instruction = read.fixedOp;
    else if (read.modOp) instruction = read.modOp;
    codes.clear();
    programtext::AppendCodes(codes, read);
    ProgramLine line{++count, codes, {{}, std::nullopt, std::nullopt, instruction}, {}};
    line.assembled.bytes.append(decoder::AsBytes(bytes.substr(read.offset, read.size)));
    take(line);
  }
  if (!reader.stop()) return {};
  ProgramLine line{count + 1, decoder::kErrorLine, encoder::AssembleLine(decoder::kErrorLine), {}};
  take(line);
  return decoder::StopMessage(reader.stop());
}

// The lines that would not convert, read one way or the other.
size_t FailuresAsText(std::string_view normalised) {
  size_t failures = 0;
  TextLines(normalised, [&failures](ProgramLine& line) { failures += line.assembled.failed(); });
  return failures;
}

size_t FailuresAsListing(std::string_view bytes) {
  size_t failures = 0;
  ListingLines(
      bytes, [&failures](ProgramLine& line) { failures += line.assembled.failed(); },
      [&failures](listing::ListingError) { ++failures; });
  return failures;
}

// Line breaks of any convention split the lines alike for the UTF-8 check
// and the listing reader, so only the text kept as it stands is normalised.
// UTF-8 text spelled the way listings spell it ("X#0?", "1E3", "STO* 05",
// "#" comments) converts better as a listing; other text keeps its
// comments and blank lines, failing lines and all, so that nothing of it is
// lost.
FileForm TextForm(std::string_view bytes, std::string& normalised) {
  if (!text::IsUtf8(bytes)) {
    normalised = programtext::NormaliseLineBreaks(bytes);
    return FileForm::kEightBitText;
  }
  const std::optional<std::string> codes = programtext::ReadUtf8(bytes);
  if (!codes || listing::NumberedOrHeaded(bytes)) return FileForm::kListing;
  normalised = programtext::NormaliseLineBreaks(*codes);
  const size_t asText = FailuresAsText(normalised);
  if (asText == 0 || FailuresAsListing(bytes) >= asText) return FileForm::kProgramText;
  normalised.clear();
  return FileForm::kListing;
}

// Each line kept, in the text as it stands or joined by CR LF.
OpenedProgram Collect(FileForm form, std::string_view bytes, std::string normalised) {
  OpenedProgram opened;
  opened.form = form;
  const bool asItStands = form == FileForm::kEightBitText || form == FileForm::kProgramText;
  const std::string_view lines = asItStands ? std::string_view(normalised) : bytes;
  if (form != FileForm::kRaw) opened.assembly.Reserve(text::ExpectedLines(lines));
  // A program line is never longer than the file's line, and CR LF adds at
  // most one byte to that line's break.
  if (!asItStands) opened.text.reserve(bytes.size() + text::ExpectedLines(bytes));
  const TakeProgramLine keep = [&opened, asItStands](ProgramLine& line) {
    if (!asItStands && !opened.assembly.lines().empty()) opened.text += "\r\n";
    if (!asItStands) opened.text += line.codes;
    if (!line.spelled.empty())
      opened.respelled.emplace_back(opened.assembly.lines().size(), std::move(line.spelled));
    opened.assembly.Append({line.fileLine, std::move(line.assembled)});
  };
  const listing::TakeError refuse = [&opened](listing::ListingError error) {
    opened.refused.push_back(std::move(error));
  };
  if (form == FileForm::kRaw) opened.decodeError = RawLines(bytes, keep);
  else if (form == FileForm::kListing) ListingLines(bytes, keep, refuse);
  else TextLines(normalised, keep);
  if (asItStands) opened.text = std::move(normalised);
  return opened;
}

}  // namespace

OpenedProgram ReadProgramText(std::string_view bytes) {
  std::string normalised;
  const FileForm form = TextForm(bytes, normalised);
  return Collect(form, bytes, std::move(normalised));
}

OpenedProgram ReadRawProgram(std::string_view bytes) { return Collect(FileForm::kRaw, bytes, {}); }

OpenedProgram ReadProgramFile(const std::string& path, std::string_view bytes, OpenAs as) {
  if (as == OpenAs::kRaw || (as == OpenAs::kAny && LooksRaw(path, bytes))) return ReadRawProgram(bytes);
  files::RefuseNulByte(path, bytes);
  return ReadProgramText(bytes);
}

LinesRead ReadProgramLines(const std::string& path, std::string_view bytes, OpenAs as,
                           const TakeProgramLine& take, const listing::TakeError& refuse) {
  if (as == OpenAs::kRaw || (as == OpenAs::kAny && LooksRaw(path, bytes)))
    return {FileForm::kRaw, RawLines(bytes, take)};
  files::RefuseNulByte(path, bytes);
  std::string normalised;
  const FileForm form = TextForm(bytes, normalised);
  if (form == FileForm::kListing) ListingLines(bytes, take, refuse);
  else TextLines(normalised, take);
  return {form, {}};
}

}  // namespace orrikey::document
