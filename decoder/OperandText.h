#pragma once

// The texts of operand bytes, as the calculator shows them, appended to a
// line's text.

#include "decoder/LineText.h"

namespace orrikey::decoder {

void AppendDecimal(LineText& out, unsigned value);

// At least two digits, as register numbers are written: "05", "14", "100".
void AppendTwoDigits(LineText& out, unsigned value);

// The values 0x70 to 0x74 are the stack registers "ST T" to "ST L".
bool IsStack(unsigned value);
void AppendStack(LineText& out, unsigned value);

// A local label operand 0 to 127: the letters A to J (0x66 to 0x6F) and a to
// e (0x7B to 0x7F), the stack registers (0x70 to 0x74), else a number.
void AppendLabel(LineText& out, unsigned value);

// Any operand byte read on its own: a register number or stack register,
// with IND from 0x80 up.
void AppendAnyOperand(LineText& out, unsigned byte);

}  // namespace orrikey::decoder
