// The calculator's notation for bytes that form no instruction it knows:
// "XROM mm,ff" for a function pair A0 to A7, "XROM 0x..." for the bytes
// after a length byte. Writing them back keeps such programs whole.

#include "encoder/LineEncoders.h"
#include "encoder/LineForms.h"
#include "tables/ByteCode.h"
#include "text/Hex.h"
#include "text/Pattern.h"

namespace orrikey::encoder {
namespace {

namespace bytecode = tables::bytecode;

const text::Pattern& ModulePattern() {
  static const text::Pattern pattern("^XROM (\\d\\d),(\\d\\d)$");
  return pattern;
}

const text::Pattern& BytesPattern() {
  static const text::Pattern pattern("^XROM 0x((?:[0-9A-Fa-f]{2}){1,15})$");
  return pattern;
}

unsigned Decimal(std::string_view digits) { return (digits[0] - '0') * 10u + (digits[1] - '0'); }

}  // namespace

std::optional<XromNumbers> ReadXromNumbers(std::string_view line) {
  const auto module = ModulePattern().Search(line, 1);
  if (!module) return std::nullopt;
  return XromNumbers{*module, *ModulePattern().Search(line, 2)};
}

std::optional<AssembledLine> EncodeXrom(std::string_view line) {
  if (!line.starts_with("XROM ")) return std::nullopt;
  if (const auto numbers = ReadXromNumbers(line)) {
    const unsigned number = Decimal(numbers->module);
    const unsigned function = Decimal(numbers->function);
    if (number > kLargestXromModule || function > kLargestXromFunction)
      return Failed(EncodeError::kParameter);
    return Encoded({static_cast<std::uint8_t>(bytecode::kTwoByteFirst | number >> 2),
                    static_cast<std::uint8_t>((number & 3) << 6 | function)});
  }
  if (const auto digits = BytesPattern().Search(line, 1)) {
    AssembledLine xrom = Encoded({static_cast<std::uint8_t>(bytecode::kCounted + digits->size() / 2)});
    xrom.bytes.append(text::ParseHex(*digits).bytes);
    return xrom;
  }
  return Failed(EncodeError::kParameter);
}

}  // namespace orrikey::encoder
