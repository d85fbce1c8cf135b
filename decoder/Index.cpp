#include "decoder/Index.h"

#include <algorithm>

namespace orrikey::HTC {

const Index& Index::Get() {
  static const Index index;
  return index;
}

Index::Index() {
  for (const auto& op : tables::FixedOps()) fixed_.try_emplace(std::string(op.bytes), op.name);
  for (const auto& op : tables::ReadOnlyOps()) fixed_.try_emplace(std::string(op.bytes), op.name);

  for (const tables::ModOp& op : tables::ModOps()) {
    for (const bool indirect : {true, false}) {
      const tables::OperandForms& forms = indirect ? op.indirect : op.direct;
      if (forms.name.exists && !forms.name.lead.empty())
        namedForms_.try_emplace(std::string(forms.name.lead), &op, indirect);
      const auto add = [&](const tables::OperandForm& form, bool stack) {
        if (!form.exists) return;
        auto& entries = operandForms_[std::string(form.lead)];
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
      tenEleven_.try_emplace(std::string(op.ten), std::string(op.name) + " 10");
      tenEleven_.try_emplace(std::string(op.eleven), std::string(op.name) + " 11");
    }
  }
}

std::optional<std::string_view> Index::FixedName(std::string_view bytes) const {
  const auto found = fixed_.find(bytes);
  if (found == fixed_.end()) return std::nullopt;
  return found->second;
}

const std::vector<OperandEntry>* Index::OperandForms(std::string_view lead) const {
  const auto found = operandForms_.find(lead);
  return found == operandForms_.end() ? nullptr : &found->second;
}

const tables::ModOp* Index::NamedForm(std::string_view lead, bool& indirect) const {
  const auto found = namedForms_.find(lead);
  if (found == namedForms_.end()) return nullptr;
  indirect = found->second.second;
  return found->second.first;
}

const tables::ModOp* Index::NameBeforeLength(unsigned char byte) const {
  for (const tables::ModOp& op : tables::ModOps())
    if (op.direct.name.before.size() == 1 && static_cast<unsigned char>(op.direct.name.before[0]) == byte)
      return &op;
  return nullptr;
}

std::optional<std::string> Index::TenOrEleven(std::string_view bytes) const {
  const auto found = tenEleven_.find(bytes);
  if (found == tenEleven_.end()) return std::nullopt;
  return found->second;
}

bool Index::IsPlainNumberOp(std::string_view name) const {
  const auto names = tables::PlainNumberOps();
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace orrikey::HTC
