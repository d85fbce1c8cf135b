#pragma once

// Decoded program lines as the calculator lists them: UTF-8, a header
// "00 { n-Byte Prgm }" before each program (n without its END), numbered
// lines, "▸" before every label, glyphs as Unicode and the calculator's
// escapes inside texts. The listing reads back into the same program.

#include <string>
#include <string_view>
#include <vector>

namespace orrikey {

// `lines` are program lines in display codes, as the decoder writes them; a
// program that lacks its END gets one, as the calculator lists it.
std::string WriteListing(const std::vector<std::string>& lines);

// One program line as the listing writes it, without its number: the name
// and operands in glyphs, quoted texts with the calculator's escapes, the
// append sign right before its text.
std::string ListingInstruction(std::string_view line);
void AppendListingInstruction(std::string& out, std::string_view line);

}  // namespace orrikey
