#pragma once

// The program listing that calculators copy as UTF-8 text ("01▸LBL "A"",
// glyphs such as × and ᴇ, "[LF]" in texts), and the looser listings shared
// on forums, read as program text in display codes.

#include <QString>
#include <QStringView>

#include <string>
#include <vector>

namespace orrikey {

// True for UTF-8 text whose lines are numbered as a listing numbers them,
// or that holds a character of a listing that program text never does.
bool LooksLikeListing(QStringView text);

// The program lines: line numbers, the label mark "▸", "{ n-Byte Prgm }"
// headers and comment lines of other languages dropped; "×" in instruction
// names written "x", as program text does; "[LF]" and "[ESC]" as their
// calculator characters. A character the calculator lacks is left out and
// named in `refused`.
struct ListingText {
  std::vector<std::string> lines;
  QString refused;
};
ListingText ReadListing(QStringView text);

}  // namespace orrikey
