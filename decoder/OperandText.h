#pragma once

// The texts of operand bytes, as the calculator shows them.

#include <optional>
#include <string>
#include <string_view>

namespace orrikey::HTC {

// At least two digits, as register numbers are written: "05", "14", "100".
std::string TwoDigits(unsigned value);

// "ST T" to "ST L" for the values 0x70 to 0x74; nothing for any other.
std::optional<std::string> StackText(unsigned value);

// A local label operand 0 to 127: the letters A to J (0x66 to 0x6F) and a to
// e (0x7B to 0x7F), the stack registers (0x70 to 0x74), else a number.
std::string LabelText(unsigned value);

// Any operand byte read on its own: a register number or stack register,
// with IND from 0x80 up.
std::string AnyOperandText(unsigned byte);

// LBL, GTO, XEQ and the key assignments take local labels as operands.
bool TakesLabels(std::string_view name);

}  // namespace orrikey::HTC
