#include "document/TypedLine.h"

#include "listing/ListingReader.h"
#include "text/CodePage.h"

namespace orrikey::document {

TypedLine ReadTypedLine(std::string_view codes) {
  encoder::AssembledLine assembled = encoder::AssembleLine(codes);
  if (!assembled.failed()) return {std::move(assembled), {}};
  std::string utf8;
  text::AppendDisplayCodesUtf8(utf8, codes);
  listing::ReadListingResult read = listing::ReadListing(utf8);
  if (read.errors.empty() && read.lines.size() == 1) {
    encoder::AssembledLine listed = encoder::AssembleLine(read.lines.front().text);
    if (!listed.failed()) return {std::move(listed), std::move(read.lines.front().text)};
  }
  return {std::move(assembled), {}};
}

}  // namespace orrikey::document
