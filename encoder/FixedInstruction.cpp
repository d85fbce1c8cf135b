// Instructions without an operand: the whole line is the name, and the
// row holds the bytes.

#include "encoder/LineEncoders.h"
#include "encoder/NameIndex.h"

namespace orrikey::encoder {

std::optional<AssembledLine> EncodeFixedInstruction(std::string_view line) {
  static const NameIndex<tables::FixedOp> index(tables::FixedOps());
  const tables::FixedOp* op = index.Find(line);
  if (!op) return std::nullopt;
  AssembledLine fixed{{}, {}, {}, op};
  fixed.bytes.append(op->bytes);
  return fixed;
}

}  // namespace orrikey::encoder
