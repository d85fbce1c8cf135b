#include "decoder/Index.h"

#include "decoder/Decode.h"

#include <algorithm>
#include <optional>

namespace orrikey::decoder {
namespace {

std::optional<std::uint64_t> Pack(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > 4) return std::nullopt;
  std::uint64_t key = 0;
  for (std::uint8_t c : bytes) key = key << 8 | c;
  return key | static_cast<std::uint64_t>(bytes.size()) << 32;
}

// The value a map holds for the bytes, or null.
template <typename Map>
const typename Map::mapped_type* Find(const Map& map, std::span<const std::uint8_t> bytes) {
  const auto key = Pack(bytes);
  if (!key) return nullptr;
  const auto found = map.find(*key);
  return found == map.end() ? nullptr : &found->second;
}

ValueStyle StyleOf(const tables::ModOp& op, bool indirect, bool stack) {
  if (stack) return ValueStyle::kStack;
  if (indirect) return ValueStyle::kRegister;
  if (op.takesLabels()) return ValueStyle::kLabel;
  return op.operand == tables::OperandKind::kPlainNumber ? ValueStyle::kPlainNumber : ValueStyle::kRegister;
}

}  // namespace

const Index& Index::Get() {
  static const Index index;
  return index;
}

Index::Index() {
  for (auto table : {tables::FixedOps(), tables::ReadOnlyOps()}) {
    for (const tables::FixedOp& op : table) {
      const auto bytes = AsBytes(op.bytes);
      fixed_.try_emplace(*Pack(bytes), &op);
      longestName_ = std::max(longestName_, op.name.size());
      const bool twoByte = bytes.size() == 2 && bytes[0] >= 0xA0 && bytes[0] <= 0xA7;
      if (twoByte && !twoByte_[(bytes[0] & 7u) << 8 | bytes[1]])
        twoByte_[(bytes[0] & 7u) << 8 | bytes[1]] = &op;
      const bool labelRow = bytes.size() == 3 && bytes[0] >= 0xC0 && bytes[0] <= 0xCD && bytes[1] == 0;
      if (labelRow && !LabelRow(bytes[0], bytes[2])) labelRows_[(bytes[0] & 0xFu) << 8 | bytes[2]] = &op;
    }
  }
  for (const tables::ModOp& op : tables::ModOps()) {
    IndexModOp(op);
    longestName_ = std::max(longestName_, op.name.size());
    if (op.definesLabel) globalLabel_ = &op;
  }
  FillFirstBytes();
  for (const auto& [key, forms] : operandForms_)
    if (key >> 32 == 2 && (key >> 8 & 0xFF) >= 0xF0) sequenceForms_[key & 0xFFF] = &forms;
  for (const auto& [key, named] : namedForms_)
    if (key >> 32 == 1) oneByteNames_[key & 0xFF] = named;
}

void Index::IndexModOp(const tables::ModOp& op) {
  for (const bool indirect : {true, false}) {
    const tables::OperandForms& forms = indirect ? op.indirect : op.direct;
    if (forms.name.exists && !forms.name.lead.empty())
      namedForms_.try_emplace(*Pack(AsBytes(forms.name.lead)), &op, indirect);
    if (forms.name.exists && forms.name.before.size() == 1) {
      FirstByte& entry = first_[static_cast<std::uint8_t>(forms.name.before[0])];
      if (entry.reading != Reading::kNameAfterLength)
        entry = {.reading = Reading::kNameAfterLength, .op = &op};
    }
    const auto add = [&](const tables::OperandForm& form, bool stack) {
      if (!form.exists) return;
      OperandEntries& entries = operandForms_[*Pack(AsBytes(form.lead))];
      const bool known = std::any_of(entries.begin(), entries.end(), [&](const OperandEntry& e) {
        return (e.style == ValueStyle::kStack) == stack && e.base == form.base;
      });
      if (!known) entries.push_back({&op, indirect, StyleOf(op, indirect, stack), form.base});
    };
    add(forms.stack, true);
    add(forms.number, false);
    // A short form with no lead byte holds its number in the first byte's
    // low digit; its range ends where that digit does.
    const tables::OperandForm& shortForm = forms.shortNumber;
    const bool trailing = shortForm.lead == std::string_view("\0", 1);
    if (shortForm.exists && (shortForm.lead.empty() || trailing)) {
      for (unsigned n = 0; (shortForm.base & 0xF) + n <= 0xF; ++n) {
        FirstByte& entry = first_[shortForm.base + n];
        if (entry.reading == Reading::kNothing)
          entry = {.reading = Reading::kShortNumber,
                   .op = &op,
                   .number = static_cast<unsigned char>(n),
                   .trailingByte = trailing};
      }
    } else {
      add(shortForm, false);
    }
  }
  if (!op.ten.empty()) {
    tenEleven_.try_emplace(*Pack(AsBytes(op.ten)), &op, 10u);
    tenEleven_.try_emplace(*Pack(AsBytes(op.eleven)), &op, 11u);
  }
}

// The byte ranges of the calculator's own layout come first; then GTO and
// XEQ with a name and the short forms found above, with the one-byte
// instructions between them, and last the instructions whose operand byte
// follows.
void Index::FillFirstBytes() {
  for (unsigned byte = 0; byte < 256; ++byte) {
    FirstByte& entry = first_[byte];
    if (const auto inRange = ByRange(static_cast<std::uint8_t>(byte))) {
      entry = *inRange;
      continue;
    }
    if (entry.reading == Reading::kNameAfterLength) continue;
    const std::uint8_t lead[] = {static_cast<std::uint8_t>(byte)};
    if (const tables::FixedOp* op = Fixed(lead)) entry = {.reading = Reading::kFixed, .fixed = op};
    else if (const OperandEntries* forms = OperandForms(lead); forms && entry.reading == Reading::kNothing)
      entry = {.reading = Reading::kOperandByte, .forms = forms};
  }
  for (unsigned byte = 0; byte < 256; ++byte) sizes_[byte] = SizeOf(static_cast<std::uint8_t>(byte));
}

SizeRule Index::SizeOf(std::uint8_t byte) const {
  const FirstByte& entry = first_[byte];
  switch (entry.reading) {
    case Reading::kFixed: return {.size = 1};
    case Reading::kShortNumber: return {.size = static_cast<std::uint8_t>(entry.trailingByte ? 2 : 1)};
    case Reading::kOperandByte:
    case Reading::kTwoByteFunction: return {.size = 2};
    case Reading::kLongGotoXeq: return {.size = 3};
    case Reading::kSequence: return {.size = 1, .lengthAt = 0};
    case Reading::kGlobalLabelOrEnd: return {.size = 3, .lengthAt = 2};
    case Reading::kNameAfterLength: return {.size = 2, .lengthAt = 1};
    default: return {};
  }
}

std::optional<FirstByte> Index::ByRange(std::uint8_t byte) const {
  if (IsNumberByte(byte)) return FirstByte{.reading = Reading::kNumber};
  if (byte >= 0xF0) return FirstByte{.reading = Reading::kSequence};
  if (byte >= 0xA0 && byte <= 0xA7) return FirstByte{.reading = Reading::kTwoByteFunction};
  if (byte >= 0xC0 && byte <= 0xCD) return FirstByte{.reading = Reading::kGlobalLabelOrEnd};
  if (byte < 0xD0 || byte > 0xEF) return std::nullopt;
  const std::uint8_t lead[] = {static_cast<std::uint8_t>(byte & 0xF0), 0};
  const OperandEntries* forms = OperandForms(lead);
  if (!forms) return FirstByte{};
  return FirstByte{.reading = Reading::kLongGotoXeq, .op = forms->front().op};
}

const tables::FixedOp* Index::Fixed(std::span<const std::uint8_t> bytes) const {
  const auto* op = Find(fixed_, bytes);
  return op ? *op : nullptr;
}

const OperandEntries* Index::OperandForms(std::span<const std::uint8_t> lead) const {
  if (lead.size() == 2 && lead[0] >= 0xF0) return sequenceForms_[(lead[0] & 0xFu) << 8 | lead[1]];
  return Find(operandForms_, lead);
}

const tables::ModOp* Index::NamedForm(std::span<const std::uint8_t> lead, bool& indirect) const {
  if (lead.size() == 1) {
    const auto& [op, isIndirect] = oneByteNames_[lead[0]];
    if (op) indirect = isIndirect;
    return op;
  }
  const auto* found = Find(namedForms_, lead);
  if (!found) return nullptr;
  indirect = found->second;
  return found->first;
}

const tables::ModOp* Index::TenOrEleven(std::span<const std::uint8_t> bytes, unsigned& number) const {
  const auto* found = Find(tenEleven_, bytes);
  if (!found) return nullptr;
  number = found->second;
  return found->first;
}

}  // namespace orrikey::decoder
