#include "listing/PastedListing.h"

#include "programtext/Utf8.h"
#include "text/CodePage.h"
#include "text/Lines.h"

#include <map>
#include <vector>

namespace orrikey::listing {

std::string PastedListing::message() const {
  if (!firstRefused) return {};
  return "Pasted as written, line " + std::to_string(firstRefused->fileLine) +
         " of the listing: " + firstRefused->reason;
}

std::optional<PastedListing> ReadPastedListing(std::string_view pasted) {
  // Program text pasted is typed as it stands; only a listing is converted.
  if (!LooksLikeListing(pasted) || (programtext::ReadUtf8(pasted) && !NumberedOrHeaded(pasted)))
    return std::nullopt;
  const ReadListingResult listing = ReadListing(pasted);
  // The program lines and the refused ones, back in the order of the text.
  std::map<size_t, std::string> kept;
  for (const ListingLine& line : listing.lines) text::AppendDisplayCodesUtf8(kept[line.fileLine], line.text);
  if (!listing.errors.empty()) {
    std::vector<std::string_view> written;
    text::ForEachLine(pasted, [&](size_t, std::string_view line) { written.push_back(line); });
    for (const ListingError& error : listing.errors) kept[error.fileLine] = written[error.fileLine - 1];
  }
  PastedListing result;
  for (const auto& [fileLine, line] : kept) {
    if (fileLine != kept.begin()->first) result.text += '\n';
    result.text += line;
  }
  if (pasted.ends_with('\n')) result.text += '\n';
  if (!listing.errors.empty()) result.firstRefused = listing.errors.front();
  return result;
}

}  // namespace orrikey::listing
