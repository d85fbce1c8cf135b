#include <algorithm>
#include <cstdio>

#include "encoder/Encoder.h"
#include "encoder/LineEncoders.h"
#include "encoder/LineForms.h"
#include "text/CalculatorNames.h"
#include "text/CodePage.h"
#include "text/Comment.h"
#include "text/Hex.h"
#include "text/Trim.h"

namespace orrikey::encoder {
namespace {

// A byte below the blank that shows no calculator character (display code
// 0x14 shows one). Only a quoted text may hold one, as a calculator code.
bool IsControlByte(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code < 0x20 && code != '\t' && text::DisplayCodeChar(code) < 0x20;
}

}  // namespace

size_t ControlByteAt(std::string_view instruction) {
  if (std::none_of(instruction.begin(), instruction.end(), IsControlByte)) return std::string_view::npos;
  // An open text runs to the end of the line.
  const text::LineParts parts = text::SplitLine(instruction, text::Notation::kProgramText);
  for (size_t i = 0; i < instruction.size(); ++i) {
    const bool quoted = i >= parts.textOpen && i <= parts.textClose;
    if (!quoted && IsControlByte(instruction[i])) return i;
  }
  return std::string_view::npos;
}

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
  const std::string_view instruction = text::Trim(text::WithoutComment(line, text::Notation::kProgramText));
  // A line that is only a comment is no instruction: it keeps its place and
  // writes no bytes.
  if (instruction.empty()) return {};
  if (const size_t control = ControlByteAt(instruction); control != std::string_view::npos) {
    AssembledLine failed = Failed(EncodeError::kChar);
    failed.controlByte = static_cast<std::uint8_t>(instruction[control]);
    return failed;
  }
  if (const auto renaming = text::TableNameAt(instruction))
    return AssembleLine(std::string(renaming->name) += instruction.substr(renaming->replaced));
  for (auto encoder :
       {EncodeNumber, EncodeText, EncodeFixedInstruction, EncodeXrom, EncodeOperandInstruction})
    if (auto assembled = encoder(instruction)) return std::move(*assembled);
  return Failed(EncodeError::kOpcode);
}

std::string FailureReason(const AssembledLine& line) {
  if (!line.controlByte) return {};
  char reason[48];
  std::snprintf(reason, sizeof reason, "The line holds the control character 0x%02X", *line.controlByte);
  return reason;
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
