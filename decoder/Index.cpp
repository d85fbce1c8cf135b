#include "decoder/Index.h"

#include <algorithm>

namespace orrikey::HTC {
namespace {

std::optional<uint64_t> Pack(std::string_view bytes) {
  if (bytes.size() > 4) return std::nullopt;
  uint64_t key = 0;
  for (unsigned char c : bytes) key = key << 8 | c;
  return key | static_cast<uint64_t>(bytes.size()) << 32;
}

// The value a map holds for the bytes, or null.
template <typename Map>
const typename Map::mapped_type* Find(const Map& map, std::string_view bytes) {
  const auto key = Pack(bytes);
  if (!key) return nullptr;
  const auto found = map.find(*key);
  return found == map.end() ? nullptr : &found->second;
}

}  // namespace

const Index& Index::Get() {
  static const Index index;
  return index;
}

Index::Index() {
  for (auto table : {tables::FixedOps(), tables::ReadOnlyOps()})
    for (const auto& op : table) fixed_.try_emplace(*Pack(op.bytes), op.name);

  for (const tables::ModOp& op : tables::ModOps()) {
    for (const bool indirect : {true, false}) {
      const tables::OperandForms& forms = indirect ? op.indirect : op.direct;
      if (forms.name.exists && !forms.name.lead.empty())
        namedForms_.try_emplace(*Pack(forms.name.lead), &op, indirect);
      if (forms.name.exists && forms.name.before.size() == 1) {
        const auto byte = static_cast<unsigned char>(forms.name.before[0]);
        if (!beforeLength_[byte]) beforeLength_[byte] = &op;
      }
      const auto add = [&](const tables::OperandForm& form, bool stack) {
        if (!form.exists) return;
        auto& entries = operandForms_[*Pack(form.lead)];
        const OperandEntry entry{&op, indirect, stack, form.base};
        const bool known = std::any_of(entries.begin(), entries.end(), [&](const OperandEntry& e) {
          return e.stack == stack && e.base == form.base;
        });
        if (!known) entries.push_back(entry);
      };
      add(forms.stack, true);
      add(forms.number, false);
      // A short form with no lead byte holds its number in the first byte's
      // low digit; its range ends where that digit does.
      const tables::OperandForm& shortForm = forms.shortNumber;
      const bool trailing = shortForm.lead == std::string_view("\0", 1);
      if (shortForm.exists && (shortForm.lead.empty() || trailing)) {
        for (unsigned n = 0; (shortForm.base & 0xF) + n <= 0xF; ++n)
          if (!shorts_[shortForm.base + n].op) shorts_[shortForm.base + n] = {&op, n, trailing};
      } else {
        add(shortForm, false);
      }
    }
    if (!op.ten.empty()) {
      tenEleven_.try_emplace(*Pack(op.ten), std::string(op.name) + " 10");
      tenEleven_.try_emplace(*Pack(op.eleven), std::string(op.name) + " 11");
    }
  }
}

std::optional<std::string_view> Index::FixedName(std::string_view bytes) const {
  const auto* name = Find(fixed_, bytes);
  return name ? std::optional(*name) : std::nullopt;
}

const std::vector<OperandEntry>* Index::OperandForms(std::string_view lead) const {
  return Find(operandForms_, lead);
}

const tables::ModOp* Index::NamedForm(std::string_view lead, bool& indirect) const {
  const auto* found = Find(namedForms_, lead);
  if (!found) return nullptr;
  indirect = found->second;
  return found->first;
}

std::optional<std::string> Index::TenOrEleven(std::string_view bytes) const {
  const auto* line = Find(tenEleven_, bytes);
  return line ? std::optional(*line) : std::nullopt;
}

bool Index::IsPlainNumberOp(std::string_view name) const {
  const auto names = tables::PlainNumberOps();
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace orrikey::HTC
