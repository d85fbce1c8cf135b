#pragma once

// The line encoders, tried in this order on a line without its comment; each
// returns nothing when the line is not its to encode, and the line's bytes or
// its error when it is.

#include <optional>
#include <string_view>

#include "encoder/Encoder.h"
#include "tables/Tables.h"

namespace orrikey::encoder {

std::optional<AssembledLine> EncodeNumber(std::string_view line);
std::optional<AssembledLine> EncodeText(std::string_view line);
std::optional<AssembledLine> EncodeFixedInstruction(std::string_view line);
std::optional<AssembledLine> EncodeXrom(std::string_view line);
std::optional<AssembledLine> EncodeOperandInstruction(std::string_view line);

inline AssembledLine Encoded(LineBytes bytes) { return {bytes, {}, {}, {}}; }

// The operand of a parameterised instruction; never empty. `name` is the
// instruction as the line starts it ("STO", "KEY 3 GTO").
AssembledLine EncodeArgument(std::string_view line, std::string_view name, const tables::ModOp& op);

// A quoted text as calculator characters: a whole-line string when op is
// null, else the quoted name of that name form of op.
AssembledLine EncodeQuotedText(std::string_view quoted, const tables::ModOp* op, const tables::NameForm* form,
                               std::string_view name);

// Operands that are a register or label number, a stack register or a local
// label letter.
AssembledLine EncodeNumberOperand(unsigned number, const tables::ModOp& op, std::string_view name,
                                  bool indirect);
AssembledLine EncodeStackOperand(char letter, const tables::ModOp& op, std::string_view name, bool indirect);
AssembledLine EncodeLocalLabel(char letter, const tables::ModOp& op, std::string_view name);

// The key of "KEY n GTO" and "KEY n XEQ", as the line names them: the
// digit after op's key word and a blank.
std::uint8_t KeyNumber(std::string_view name, const tables::ModOp& op);

}  // namespace orrikey::encoder
