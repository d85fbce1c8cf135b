#include "decoder/LineOperand.h"

#include <algorithm>

namespace orrikey::decoder {

std::string_view OperandOf(std::string_view text, const tables::ModOp& op) {
  const std::string_view name = op.name;
  size_t words =
      static_cast<size_t>(std::count(name.begin(), name.end(), ' ')) + 1 + (op.keyWord.empty() ? 0 : 1);
  for (; words > 0 && !text.empty(); --words)
    text.remove_prefix(std::min(text.find(' '), text.size() - 1) + 1);
  return text;
}

}  // namespace orrikey::decoder
