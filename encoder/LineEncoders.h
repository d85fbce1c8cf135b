#pragma once

// The line encoders, tried in this order on a cleaned line; each returns
// nothing when the line is not its to encode, and a hex line or an error line
// when it is.

#include <optional>
#include <string>
#include <string_view>

#include "tables/Tables.h"

namespace orrikey {

std::optional<std::string> GetNumbers(std::string_view line);
std::optional<std::string> GetStrings(std::string_view line);
std::optional<std::string> GetFixedOp(std::string_view line);
std::optional<std::string> GetXrom(std::string_view line);
std::optional<std::string> GetModOp(std::string_view line);

// The table name of a fixed instruction that the whole line spells the
// calculator's way ("RDX," for RDX, "DATE+" for DATE_PLUS); nothing otherwise.
std::optional<std::string_view> FixedOpOfAlias(std::string_view line);

// The operand of a parameterised instruction; never empty. `name` is the
// instruction as the line starts it ("STO", "KEY 3 GTO").
std::string EncodeArgument(std::string_view line, std::string_view name, const tables::ModOp& op);

// A quoted text as calculator characters in hex: a whole-line string when
// form is null, else the quoted name of that name form.
std::string EncodeQuotedText(std::string_view quoted, const tables::NameForm* form,
                             std::string_view name);

// Operands that are a register or label number, a stack register or a local
// label letter.
std::string EncodeNumberOperand(unsigned number, const tables::ModOp& op, std::string_view name,
                                bool indirect);
std::string EncodeStackOperand(char letter, const tables::ModOp& op, std::string_view name,
                               bool indirect);
std::string EncodeLocalLabel(char letter, const tables::ModOp& op, std::string_view name);

// LBL, GTO, XEQ and the key assignments take local labels as operands.
bool TakesLabels(std::string_view name);

}  // namespace orrikey
