#pragma once

// Pasted text as the editors take it: a listing (numbered, headed, or with
// characters of no display code) becomes program lines, and a line of it
// that does not convert goes in as written, for the user to mend, rather
// than being lost. Program text, comments and all, is pasted as it stands.

#include <optional>
#include <string>
#include <string_view>

#include "listing/ListingReader.h"

namespace orrikey::listing {

struct PastedListing {
  // UTF-8, a line per line kept, LF between them and after the last when
  // the pasted text ended in one: each program line as the characters of its
  // display codes, each line that does not convert as it was written.
  std::string text;
  // The first line kept as written, by its line of the pasted text.
  std::optional<ListingError> firstRefused;

  // What the user is told of the first line kept as written; empty for none.
  std::string message() const;
};

// Nothing when the pasted text is not a listing.
std::optional<PastedListing> ReadPastedListing(std::string_view pasted);

}  // namespace orrikey::listing
