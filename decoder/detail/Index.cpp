#include "decoder/detail/Index.h"

#include "decoder/Instruction.h"

#include <algorithm>
#include <optional>

namespace orrikey::decoder::detail {
namespace {

namespace bytecode = tables::bytecode;

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
      const bool twoByte =
          bytes.size() == 2 && bytes[0] >= bytecode::kTwoByteFirst && bytes[0] <= bytecode::kTwoByteLast;
      if (twoByte && !TwoByteFunction(bytes[0], bytes[1]))
        twoByte_[(bytes[0] - bytecode::kTwoByteFirst) << 8 | bytes[1]] = &op;
      const bool labelRow = bytes.size() == 3 && bytes[0] >= bytecode::kGlobalFirst &&
                            bytes[0] <= bytecode::kGlobalLast && bytes[1] == 0;
      if (labelRow && !LabelRow(bytes[0], bytes[2]))
        labelRows_[(bytes[0] - bytecode::kGlobalFirst) << 8 | bytes[2]] = &op;
    }
  }
  for (const tables::ModOp& op : tables::ModOps()) {
    IndexModOp(op);
    if (op.definesLabel) globalLabel_ = &op;
  }
  FillFirstBytes();
  FillWrappedForms();
  for (const auto& [key, forms] : operandForms_)
    if (key >> 32 == 2 && (key >> 8 & 0xFF) >= bytecode::kCounted) sequenceForms_[key & 0xFFF] = &forms;
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
}

// ASSIGN, the key assignments and SIZE have wider forms of their own, or
// none: A7 before the sub-bytes that lead their forms wraps nothing. A body
// that starts below an append is a text, which A7 never wraps.
void Index::FillWrappedForms() {
  std::array<bool, 256> ownWide{};
  for (const tables::ModOp& op : tables::ModOps()) {
    using tables::OperandKind;
    if (op.operand != OperandKind::kKeyLabel && op.operand != OperandKind::kKeyAssignment &&
        op.operand != OperandKind::kWord)
      continue;
    for (const tables::OperandForms* forms : {&op.direct, &op.indirect}) {
      for (const tables::OperandForm* form : {&forms->stack, &forms->number, &forms->shortNumber}) {
        const auto lead = AsBytes(form->lead);
        if (form->exists && lead.size() >= 2 && lead[0] >= bytecode::kCounted) ownWide[lead[1]] = true;
      }
      if (forms->name.exists && !forms->name.lead.empty()) ownWide[AsBytes(forms->name.lead)[0]] = true;
    }
  }
  for (unsigned byte = 0; byte < 256; ++byte)
    wrapsAnother_[byte] = byte > bytecode::kAppend && byte != bytecode::kWide && !ownWide[byte];
}

std::optional<FirstByte> Index::ByRange(std::uint8_t byte) const {
  if (bytecode::IsNumberByte(byte)) return FirstByte{.reading = Reading::kNumber};
  if (byte >= bytecode::kCounted) return FirstByte{.reading = Reading::kSequence};
  if (byte >= bytecode::kTwoByteFirst && byte <= bytecode::kTwoByteLast)
    return FirstByte{.reading = Reading::kTwoByteFunction};
  if (byte >= bytecode::kGlobalFirst && byte <= bytecode::kGlobalLast)
    return FirstByte{.reading = Reading::kGlobalLabelOrEnd};
  if (byte < bytecode::kLongJumpFirst || byte > bytecode::kLongJumpLast) return std::nullopt;
  // The rows give the jumps' leads with the jump distance's digit cleared.
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
  if (lead.size() == 2 && lead[0] >= bytecode::kCounted)
    return sequenceForms_[(lead[0] - bytecode::kCounted) << 8 | lead[1]];
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

}  // namespace orrikey::decoder::detail
