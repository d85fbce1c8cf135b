#include "listing/ListingWriter.h"

#include "programtext/Codes.h"
#include "programtext/Utf8.h"
#include "tables/Tables.h"

#include <string_view>

namespace orrikey::listing {
namespace {

// The calculator's own spelling of the name that starts the line, when the
// tables name it otherwise (RDX, for RDX); names hold no blank.
const tables::TextPair* AliasOf(std::string_view line) {
  const std::string_view name = line.substr(0, line.find(' '));
  for (const tables::TextPair& alias : tables::Aliases())
    if (name == alias.value) return &alias;
  return nullptr;
}

// The number, the label mark or a blank, the instruction and a line break.
void AppendNumberedLine(std::string& out, size_t number, std::string_view line) {
  if (number < 10) out += '0';
  out += std::to_string(number);
  const std::string_view label = tables::LabelDefinition().name;
  const bool definesLabel =
      line.starts_with(label) && line.size() > label.size() && line[label.size()] == ' ';
  out += definesLabel ? "▸" : " ";
  if (const tables::TextPair* alias = AliasOf(line))
    programtext::AppendUtf8(out, std::string(alias->key) += line.substr(alias->value.size()));
  else programtext::AppendUtf8(out, line);
  out += '\n';
}

}  // namespace

void ListingStream::Add(const ListedLine& line) {
  if (line.endsProgram) return WriteProgram();
  if (line.dropped) return;
  AppendNumberedLine(body_, ++lines_, line.text);
  bytes_ += line.size;
}

void ListingStream::Finish() {
  if (lines_ > 0) WriteProgram();
}

// The header counts the bytes only now that the program has ended, so its
// lines wait in the body until then.
void ListingStream::WriteProgram() {
  AppendNumberedLine(body_, lines_ + 1, tables::ProgramEnd().name);
  out_ += "00 { ";
  out_ += std::to_string(bytes_);
  out_ += "-Byte Prgm }\n";
  out_ += body_;
  body_.clear();
  lines_ = 0;
  bytes_ = 0;
}

std::string WriteListing(std::span<const ListedLine> lines) {
  std::string out;
  ListingStream stream(out);
  for (const ListedLine& line : lines) stream.Add(line);
  stream.Finish();
  return out;
}

std::string WriteListingOf(const decoder::Decoded& decoded) {
  std::string out;
  ListingStream stream(out);
  std::string codes;
  for (const decoder::Instruction& line : decoded.lines) {
    codes.clear();
    programtext::AppendCodes(codes, line);
    stream.Add({codes, line.size, line.endsProgram(), line.dropped()});
  }
  stream.Finish();
  return out;
}

}  // namespace orrikey::listing
