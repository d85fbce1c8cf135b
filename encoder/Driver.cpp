#include "encoder/Encoder.h"
#include "encoder/LineEncoders.h"
#include "text/Comment.h"
#include "text/Hex.h"
#include "text/Trim.h"

namespace orrikey::encoder {

std::string_view ErrorLine(EncodeError error) {
  switch (error) {
    case EncodeError::kOpcode: return "------ err opcode";
    case EncodeError::kParameter: return "------ err par";
    case EncodeError::kNumber: return "------ err num";
    case EncodeError::kString: return "------ err string";
    case EncodeError::kChar: return "------ err char";
  }
  return "------ err opcode";
}

bool AssembledLine::endsProgram() const {
  const auto* fixed = std::get_if<const tables::FixedOp*>(&instruction);
  return fixed && (*fixed)->endsProgram;
}

bool AssembledLine::dropped() const {
  const auto* fixed = std::get_if<const tables::FixedOp*>(&instruction);
  return fixed && (*fixed)->dropped;
}

AssembledLine AssembleLine(std::string_view line) {
  const std::string_view instruction =
      text::Trim(text::WithoutComment(line, text::Notation::kProgramText));
  // A line that is only a comment is no instruction: it keeps its place and
  // writes no bytes.
  if (instruction.empty()) return {};
  for (auto encoder : {EncodeNumber, EncodeText, EncodeFixedInstruction, EncodeXrom,
                       EncodeOperandInstruction})
    if (auto assembled = encoder(instruction)) return std::move(*assembled);
  if (const auto name = FixedOpOfAlias(instruction))
    if (auto assembled = EncodeFixedInstruction(*name)) return std::move(*assembled);
  return Failed(EncodeError::kOpcode);
}

std::string HexRow(const AssembledLine& line) {
  std::string row;
  AppendHexRow(row, line);
  return row;
}

void AppendHexRow(std::string& out, const AssembledLine& line) {
  if (line.error) out.append(ErrorLine(*line.error));
  else text::AppendHex(out, line.bytes);
}

}  // namespace orrikey::encoder
