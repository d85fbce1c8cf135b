#include "encoder/Explain.h"

#include <cstdio>
#include <optional>
#include <string>

#include "encoder/Explaining.h"
#include "encoder/LineForms.h"
#include "text/CalculatorNames.h"
#include "text/CodePage.h"
#include "text/Comment.h"
#include "text/QuotedText.h"
#include "text/Trim.h"

namespace orrikey::encoder {
namespace {

std::string Hex(unsigned char byte) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", byte);
  return hex;
}

// A control character shows as nothing, so a message gives only its code.
bool IsVisible(char32_t c) { return c >= 0x20 && (c < 0x7F || c >= 0xA0); }

Fault ExplainControlByte(std::string_view line, const AssembledLine& assembled) {
  const size_t at = ControlByteAt(line);
  if (at != std::string_view::npos)
    return Mark(line, line.substr(at, 1),
                "control character " + Hex(static_cast<unsigned char>(line[at])) + " outside a text");
  // A line read from a listing fails on a character the reader met there.
  if (!assembled.controlByte) return Mark(line, line, "a character the calculator does not have");
  return Mark(line, line, "control character " + Hex(*assembled.controlByte) + " outside a text");
}

// A number line fails only on the line-break byte that may end it.
Fault ExplainNumber(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i)
    if (!NumberCode(static_cast<unsigned char>(line[i])))
      return Mark(line, line.substr(i, 1), "stray " + Quoted(line.substr(i, 1)) + " after the number");
  return Mark(line, line, "not a number the calculator can hold");
}

Fault ExplainText(std::string_view line) {
  if (line.size() >= 3 && line.front() == '"' && line.back() == '"') {
    const std::string_view text = line.substr(1, line.size() - 2);
    if (ReadsAsInstruction(text)) {
      const text::QuotedChar first = text::ReadQuotedChar(text);
      const std::string_view spelled = text.substr(0, first.length);
      std::string message = "a text may not begin with character " + Hex(first.code);
      if (IsVisible(text::DisplayCodeChar(static_cast<unsigned char>(spelled.front()))))
        message += " (" + Quoted(spelled) + ")";
      return Mark(line, spelled, std::move(message));
    }
  }
  return Mark(line, line, "text longer than " + std::to_string(NameRoom(nullptr, nullptr)) + " characters");
}

Fault XromOutOfRange(std::string_view line, std::string_view digits, std::string_view what,
                     unsigned largest) {
  return Mark(line, digits,
              "XROM " + std::string(what) + " " + std::string(digits) + " is out of range (00 to " +
                  Padded(largest, 2) + ")");
}

Fault ExplainXrom(std::string_view line) {
  const std::string_view operand = line.substr(line.find(' ') + 1);
  if (const auto numbers = ReadXromNumbers(line)) {
    if (DecimalValue(numbers->module) > kLargestXromModule)
      return XromOutOfRange(line, numbers->module, "module", kLargestXromModule);
    if (DecimalValue(numbers->function) > kLargestXromFunction)
      return XromOutOfRange(line, numbers->function, "function", kLargestXromFunction);
  }
  if (operand.starts_with("0x"))
    return Mark(line, operand, "XROM 0x takes 1 to " + std::to_string(kLongestSequence) + " bytes in hex");
  return Mark(line, operand, "XROM does not take " + Quoted(operand));
}

// What each kind says when the line holds nothing more to say.
std::string_view KindMessage(EncodeError error) {
  switch (error) {
    case EncodeError::kOpcode: return "unknown instruction";
    case EncodeError::kParameter: return "the instruction does not take this operand";
    case EncodeError::kNumber: return "not a number the calculator can hold";
    case EncodeError::kString: return "text too long";
    case EncodeError::kChar: return "a character the calculator does not have";
  }
  return "unknown instruction";
}

// The line as the operand instruction `op` starts it: "STO", "KEY 3 GTO".
std::optional<std::string_view> NameIn(std::string_view line, const tables::ModOp& op) {
  if (op.operand == tables::OperandKind::kKeyLabel) return KeyLabelName(line, op);
  if (!line.starts_with(op.name)) return std::nullopt;
  return line.substr(0, op.name.size());
}

Fault Explain(std::string_view line, const AssembledLine& assembled) {
  const EncodeError error = *assembled.error;
  switch (error) {
    case EncodeError::kChar: return ExplainControlByte(line, assembled);
    case EncodeError::kNumber: return ExplainNumber(line);
    case EncodeError::kOpcode: return ExplainUnknown(line);
    case EncodeError::kParameter:
    case EncodeError::kString: {
      const auto* op = std::get_if<const tables::ModOp*>(&assembled.instruction);
      if (op && *op) {
        if (const auto name = NameIn(line, **op)) return ExplainOperand(line, *name, **op, error);
      } else if (error == EncodeError::kString && line.front() == '"') {
        return ExplainText(line);
      } else if (line.starts_with("XROM ")) {
        return ExplainXrom(line);
      }
      break;
    }
  }
  return Mark(line, line, std::string(KindMessage(error)));
}

}  // namespace

Fault ExplainFailure(std::string_view line, const AssembledLine& assembled) {
  if (!assembled.error) return {};
  const std::string_view instruction = text::Trim(text::WithoutComment(line, text::Notation::kProgramText));
  if (instruction.empty()) return {0, line.size(), std::string(KindMessage(*assembled.error))};
  // A glyph's stand-in takes the glyph's one byte, so the columns of the
  // line under its table name are the line's own.
  std::string named(instruction);
  if (const auto renaming = text::TableNameAt(instruction);
      renaming && renaming->name.size() == renaming->replaced)
    named.replace(0, renaming->replaced, renaming->name);
  Fault fault = Explain(named, assembled);
  const auto offset = static_cast<size_t>(instruction.data() - line.data());
  fault.begin += offset;
  fault.end += offset;
  return fault;
}

}  // namespace orrikey::encoder
