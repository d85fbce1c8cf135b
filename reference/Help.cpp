#include "reference/Help.h"

#include "tables/Tables.h"

namespace orrikey::reference {

std::optional<std::string> HelpFor(std::string_view line) {
  const std::string_view word = line.substr(0, line.find(' '));
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

}  // namespace orrikey::reference
