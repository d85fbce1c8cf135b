#include "reference/MenuGroups.h"

#include "tables/Tables.h"
#include "text/CalculatorNames.h"

namespace orrikey::reference {

namespace {
constexpr std::string_view kGroupEnd = "@";
}  // namespace

std::vector<std::string> FixMenuGroups() {
  std::vector<std::string> headers;
  bool atGroupStart = true;
  for (std::string_view row : tables::FixMenu()) {
    // The empty lines after the last group start nothing.
    if (atGroupStart && !row.empty()) headers.emplace_back(row);
    atGroupStart = row == kGroupEnd;
  }
  return headers;
}

std::vector<std::string_view> OperandInstructionNames() {
  std::vector<std::string_view> names;
  for (const tables::ModOp& op : tables::ModOps()) {
    const auto renaming = text::CalculatorNameAt(op.name);
    names.push_back(renaming ? renaming->name : op.name);
  }
  return names;
}

std::span<const std::string_view> FlagTable() { return tables::FlagTable(); }

std::vector<std::string> FixMenuMembers(std::string_view groupHeader) {
  const auto rows = tables::FixMenu();
  std::vector<std::string> members;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] != groupHeader) continue;
    for (size_t j = i + 1; j < rows.size() && rows[j] != kGroupEnd; ++j)
      text::UseCalculatorName(members.emplace_back(rows[j]));
  }
  return members;
}

std::string PickedText(std::string_view shown) {
  for (const tables::TextPair& pick : tables::PickTexts())
    if (pick.key == shown) return std::string(pick.value);
  return std::string(shown);
}

}  // namespace orrikey::reference
