#pragma once

// The calculator's byte code around the instruction rows: which first bytes
// lead numbers, texts, labels and the longer forms, and how those count their
// bytes. The rows give each instruction's own bytes; these are the ranges and
// marks the calculator reads every program by.

#include <cstdint>

namespace orrikey::tables::bytecode {

// A number is a run of digit bytes, 10 to 19 for 0 to 9, then the point,
// the exponent mark and the minus sign; a 00 after the run ends it.
inline constexpr std::uint8_t kDigitZero = 0x10;
inline constexpr std::uint8_t kPoint = 0x1A;
inline constexpr std::uint8_t kExponent = 0x1B;
inline constexpr std::uint8_t kMinus = 0x1C;
inline constexpr std::uint8_t kNumberEnd = 0x00;
constexpr bool IsNumberByte(std::uint8_t byte) { return byte >= kDigitZero && byte <= kMinus; }

// Fn counts the n bytes after it: texts, names and the wider forms. A body
// whose first byte is below kAppend is a text; kAppend itself leads an
// appended text.
inline constexpr std::uint8_t kCounted = 0xF0;
inline constexpr std::uint8_t kAppend = 0x7F;

// A0 to A7 and a second byte are the two-byte functions; A7 also marks the
// wider forms of today's instructions, after the length byte.
inline constexpr std::uint8_t kTwoByteFirst = 0xA0;
inline constexpr std::uint8_t kTwoByteLast = 0xA7;
inline constexpr std::uint8_t kWide = 0xA7;

// C0 to CD, 00, then a third byte: END, or Fn before a global label's key
// byte and name. Calculators write labels with C0; older ones stored some
// with CA.
inline constexpr std::uint8_t kGlobalFirst = 0xC0;
inline constexpr std::uint8_t kGlobalLast = 0xCD;
inline constexpr std::uint8_t kGlobalLabel = 0xC0;
inline constexpr std::uint8_t kOlderGlobalLabel = 0xCA;

// D0 to EF: GTO and XEQ of a local label, with a jump distance cached in the
// low digit, the second byte and the third byte's top bit.
inline constexpr std::uint8_t kLongJumpFirst = 0xD0;
inline constexpr std::uint8_t kLongJumpLast = 0xEF;

// An operand byte from 80 up names its register indirectly.
inline constexpr std::uint8_t kIndirect = 0x80;

// The byte after C0 to CD: then END's third byte, or a global label's Fn.
inline constexpr std::uint8_t kGlobalSecond = 0x00;

}  // namespace orrikey::tables::bytecode
