#pragma once

// Program text to calculator bytes, one line at a time.
//
// Program lines are single-byte strings in display codes (calculator glyphs
// are bytes 0x80 to 0xBF). A line assembles to the bytes of its instruction,
// or to the reason it has none; a comment-only or blank line to no bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "encoder/LineBytes.h"
#include "tables/Tables.h"

namespace orrikey::encoder {

enum class EncodeError : std::uint8_t {
  kOpcode,     // no instruction has this name or form
  kParameter,  // the instruction takes no such operand
  kNumber,     // a number the calculator cannot hold
  kString,     // a text too long, or that would read as another instruction
  kChar,       // a character the calculator does not have: from a listing, or
               // a control byte outside a quoted text
};

// The error line that stands in the hex listing for a line: "------ err par".
std::string_view ErrorLine(EncodeError error);

// The table row a line was encoded from; nothing for numbers, texts and XROM.
using Instruction = std::variant<std::monostate, const tables::FixedOp*, const tables::ModOp*>;

struct AssembledLine {
  LineBytes bytes;
  std::optional<EncodeError> error;
  // Of a kChar failure: the control byte the line holds, which the message
  // names. It fits beside `error`, so no line grows.
  std::optional<std::uint8_t> controlByte;
  Instruction instruction;

  bool failed() const { return error.has_value(); }
  // An instruction, which the calculator counts as a step; blank and
  // comment lines write no bytes, and a NULL is dropped as the calculator reads it.
  bool isStep() const { return !failed() && !bytes.empty() && !dropped(); }
  bool endsProgram() const;
  bool dropped() const;
};

static_assert(sizeof(AssembledLine) <= 64, "an assembly holds one per line");

inline AssembledLine Failed(EncodeError error) { return {{}, error, {}, {}}; }

// Drops the comment, trims the line and encodes what is left.
AssembledLine AssembleLine(std::string_view line);

// What a failed line's error line leaves unsaid, or nothing:
// "The line holds the control character 0x05".
std::string FailureReason(const AssembledLine& line);

// The line as the hex listing shows it: its bytes in hex, or its error line.
std::string HexRow(const AssembledLine& line);
void AppendHexRow(std::string& out, const AssembledLine& line);

}  // namespace orrikey::encoder
