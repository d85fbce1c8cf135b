#include "text/CalculatorNames.h"

#include <algorithm>

#include "tables/Tables.h"

namespace orrikey::text {
namespace {

std::string_view FirstWord(std::string_view line) { return line.substr(0, line.find(' ')); }

}  // namespace

std::optional<Renaming> CalculatorNameAt(std::string_view line) {
  const auto names = tables::CalculatorNames();
  if (std::find(names.begin(), names.end(), FirstWord(line)) == names.end()) return std::nullopt;
  return CalculatorSpellingAt(line);
}

std::optional<Renaming> CalculatorSpellingAt(std::string_view line) {
  const std::string_view word = FirstWord(line);
  for (const tables::TextPair& alias : tables::Aliases())
    if (alias.value == word) return Renaming{alias.key, word.size()};
  return std::nullopt;
}

std::optional<Renaming> TableNameAt(std::string_view line) {
  const std::string_view word = FirstWord(line);
  for (const tables::TextPair& alias : tables::Aliases())
    if (alias.key == word) return Renaming{alias.value, word.size()};
  return std::nullopt;
}

void UseCalculatorName(std::string& line) {
  if (const auto renaming = CalculatorNameAt(line)) line.replace(0, renaming->replaced, renaming->name);
}

}  // namespace orrikey::text
