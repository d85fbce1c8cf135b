#include "reference/Help.h"

#include "tables/Tables.h"

namespace orrikey::reference {
namespace {

std::optional<std::string> HelpForWord(std::string_view word) {
  const auto rows = tables::Commands();
  // The last row has no row after it, so it can never give a help line.
  for (size_t i = 0; i + 1 < rows.size(); ++i) {
    if (rows[i] != word) continue;
    // A description that ends in a blank goes on in the next row.
    std::string help(rows[++i]);
    while (help.ends_with(' ') && i + 1 < rows.size()) help += rows[++i];
    return help;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> HelpFor(std::string_view line) {
  const std::string_view word = line.substr(0, line.find(' '));
  if (auto help = HelpForWord(word)) return help;
  // The help table keys an instruction under one of its two spellings, while
  // the decoder writes the table name (RDX) and listings and typists the
  // calculator's own (RDX,, DATE+): either finds the other's help.
  for (const tables::TextPair& alias : tables::Aliases()) {
    const std::string_view other = word == alias.key ? alias.value : word == alias.value ? alias.key : "";
    if (other.empty()) continue;
    if (auto help = HelpForWord(other)) return help;
  }
  return std::nullopt;
}

}  // namespace orrikey::reference
