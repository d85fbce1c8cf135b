#pragma once

// How the line encoders read a line: the decisions that the explanation of a
// failed line (Explain.h) takes again, kept in one place so that the two
// never disagree about what a line says.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "tables/Tables.h"
#include "text/Characters.h"

namespace orrikey::encoder {

using text::IsBlank;
using text::IsDigit;
using text::SkipDigits;

// No sequence of the calculator counts more than 15 bytes.
inline constexpr size_t kLongestSequence = 15;

// Where the first byte outside a quoted text stands that shows no calculator
// character; npos when there is none.
size_t ControlByteAt(std::string_view instruction);

// The number byte of a character of a number line.
std::optional<std::uint8_t> NumberCode(unsigned char c);

// Whether a whole-line text, between its quotes, starts with a character
// that would make the calculator read it as another instruction.
bool ReadsAsInstruction(std::string_view text);

// How many characters a quoted name may hold: a whole-line text when op is
// null, else the name form `form` of op.
size_t NameRoom(const tables::ModOp* op, const tables::NameForm* form);
bool TakesEmptyName(const tables::NameForm& form, const tables::ModOp& op);

// ASSIGN's key number, the two digits that end its text once the argument
// reader has moved them there; nothing when they are not two digits.
std::optional<unsigned> TrailingKey(std::string_view text);
inline constexpr unsigned kFirstAssignKey = 1;
inline constexpr unsigned kLastAssignKey = 18;

// The key of KEY n GTO and KEY n XEQ, one digit.
inline constexpr char kFirstKeyDigit = '1';
inline constexpr char kLastKeyDigit = '9';

const tables::ModOp* FindModOp(std::string_view name);

// What follows the name and a blank; empty when the line does not go on so.
std::string_view OperandOf(std::string_view line, std::string_view name);

// How many digits a number operand may have.
struct DigitCount {
  size_t fewest;
  size_t most;
};
DigitCount NumberDigits(const tables::ModOp& op, bool indirect);

// An operand as the argument forms read it: its shape, whether IND leads
// it, and its text in the line: the digits, "ST X", the name with its
// quotes or the label letter. An operand of no form has the shape kNone and
// the text after the name.
struct Operand {
  enum class Shape : std::uint8_t { kNone, kNumber, kStack, kName, kLetter };
  Shape shape = Shape::kNone;
  bool indirect = false;
  std::string_view text;
};
Operand ReadOperand(std::string_view line, std::string_view name, const tables::ModOp& op);

// "KEY 3 GTO" as the line starts, when it does.
std::optional<std::string_view> KeyLabelName(std::string_view line, const tables::ModOp& op);

// ASSIGN "AB" TO 05 as the line spells it: the name with its quotes, and
// the key's two digits.
struct KeyAssignment {
  std::string_view quoted;
  std::string_view key;
};
std::optional<KeyAssignment> ReadKeyAssignment(std::string_view line, const tables::ModOp& op);

// Whether op writes the number n, direct or after IND, in any of its forms.
bool TakesNumber(unsigned n, const tables::ModOp& op, bool indirect);

// The two numbers of "XROM mm,ff", and how far they go.
struct XromNumbers {
  std::string_view module;
  std::string_view function;
};
std::optional<XromNumbers> ReadXromNumbers(std::string_view line);
inline constexpr unsigned kLargestXromModule = 31;
inline constexpr unsigned kLargestXromFunction = 63;

}  // namespace orrikey::encoder
