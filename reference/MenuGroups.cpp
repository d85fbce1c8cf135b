#include "reference/MenuGroups.h"

#include <algorithm>

#include "tables/Tables.h"
#include "text/CalculatorNames.h"

namespace orrikey::reference {

namespace {

// Every instruction's menu places, in list order.
std::vector<const tables::MenuPlace*> MenuList() {
  std::vector<const tables::MenuPlace*> places;
  const auto add = [&](const auto& ops) {
    for (const auto& op : ops)
      for (const tables::MenuPlace& place : op.menus) places.push_back(&place);
  };
  add(tables::FixedOps());
  add(tables::ModOps());
  std::sort(places.begin(), places.end(),
            [](const tables::MenuPlace* a, const tables::MenuPlace* b) { return a->order < b->order; });
  return places;
}

}  // namespace

std::vector<std::string> FixMenuGroups() {
  std::vector<std::string> headers;
  for (const tables::MenuPlace* place : MenuList())
    if (headers.empty() || headers.back() != place->group) headers.emplace_back(place->group);
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

std::vector<std::string> FixMenuMembers(std::string_view text) {
  const std::vector<const tables::MenuPlace*> list = MenuList();
  std::vector<std::string> members;
  for (size_t i = 0; i < list.size(); ++i) {
    const bool groupStart = i == 0 || list[i - 1]->group != list[i]->group;
    size_t from;
    if (groupStart && list[i]->group == text) from = i;
    else if (list[i]->shown == text) from = i + 1;
    else continue;
    for (size_t j = from; j < list.size() && list[j]->group == list[i]->group; ++j)
      text::UseCalculatorName(members.emplace_back(list[j]->shown));
  }
  return members;
}

std::string PickedText(std::string_view shown) {
  for (const tables::TextPair& pick : tables::PickTexts())
    if (pick.key == shown) return std::string(pick.value);
  return std::string(shown);
}

}  // namespace orrikey::reference
