#include "listing/ListingWriter.h"

#include "programtext/Utf8.h"
#include "tables/Tables.h"

namespace orrikey::listing {
namespace {

// The line's number, two digits at least, and the label mark or a blank.
void StartLine(std::string& out, size_t number, bool definesLabel) {
  if (number < 10) out += '0';
  out += std::to_string(number);
  out += definesLabel ? "▸" : " ";
}

}  // namespace

void ListingStream::Add(const decoder::Instruction& instruction) {
  if (instruction.endsProgram()) return WriteProgram();
  if (instruction.dropped()) return;
  StartLine(body_, ++lines_, instruction.modOp && instruction.modOp->definesLabel);
  programtext::AppendUtf8(body_, instruction, programtext::Naming::kListing);
  body_ += '\n';
  bytes_ += instruction.size;
}

void ListingStream::Finish() {
  if (lines_ > 0) WriteProgram();
}

// The header counts the bytes only now that the program has ended, so its
// lines wait in the body until then.
void ListingStream::WriteProgram() {
  StartLine(body_, lines_ + 1, false);
  programtext::AppendUtf8(body_, tables::ProgramEnd().name);
  body_ += '\n';
  out_ += "00 { ";
  out_ += std::to_string(bytes_);
  out_ += "-Byte Prgm }\n";
  out_ += body_;
  body_.clear();
  lines_ = 0;
  bytes_ = 0;
}

std::string WriteListingOf(const decoder::Decoded& decoded) {
  std::string out;
  ListingStream stream(out);
  for (const decoder::Instruction& instruction : decoded.lines) stream.Add(instruction);
  stream.Finish();
  return out;
}

}  // namespace orrikey::listing
