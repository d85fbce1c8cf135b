// Hex text and the program lines it decodes to. Every form also makes the round
// trip; the rows here are its edges: truncated bytes, bytes that must not
// vanish, cached jump distances, names that look like other forms.

#include <stdexcept>

#include "DecodeRows.h"

namespace orrikey {
namespace {

using testing::ExpectDecodes;
using testing::kErrorLine;

TEST(Decoder, WholeProgram) {
  ExpectDecodes({
      {"", {}},
      {"C000F400414243111A150031214077C0000D",
       {"LBL \"ABC\"", "1.5", "STO 01", "RCL 01", "+", "CLX", "END"}},
      {"011", {"LBL 00"}},  // a lone last digit is never decoded
      {"9105F2EC05", {"STO 05", kErrorLine}},
      // Digits are read in either case, but the forms are recognised in uppercase only.
      {"910a", {"STO 10"}}, {"c0000d", {kErrorLine}}, {"a25d", {kErrorLine}},
  });
}

TEST(Decoder, NumbersAndStrings) {
  ExpectDecodes({
      {"1C1A151B1200", {"-.5\x98" "2"}}, {"1000", {"0"}},
      {"11100001", {"10", "LBL 00"}},  // the "00" found on the last digit byte
      {"17910500", {"715"}},           // an unterminated number runs to the next 00
      {"17", {kErrorLine}},
      {"F3412242", {"\"A\"B\""}},    // quotes inside are not escaped
      {"F20D04", {"\"\xAD\xA4\""}},  // calculator codes below 32 as display codes
      {"F24185", {"\"A\""}},         // 0x85 is the display code of code 5: dropped
      {"F14140", {"\"A\"", "+"}},
      // High calculator codes are kept as they are.
      {"F3417F42", {"\"A\x7F" "B\""}}, {"F341FF9F", {"\"A\xFF\x9F\""}},
      // The empty text is one byte, whatever follows it.
      {"F0", {"\"\""}}, {"F07F", {"\"\"", "CLD"}}, {"F09105", {"\"\"", "STO 05"}},
  });
}

TEST(Decoder, FixedAndShortForms) {
  ExpectDecodes({
      {"C0000D", {"END"}}, {"00", {"NULL"}}, {"40", {"+"}}, {"A25D", {"ALL"}},
      {"A2FF", {kErrorLine}},  // no row holds it: it must not vanish
      {"77A2FF77", {"CLX", kErrorLine}}, {"A2", {kErrorLine}},
      {"0F", {"LBL 14"}}, {"2F", {"RCL 15"}}, {"30", {"STO 00"}}, {"BF00", {"GTO 14"}},
      {"B2FF", {"GTO 01"}},  // the second byte is the cached jump distance
      {"B000", {kErrorLine}}, {"B1", {kErrorLine}},
  });
}

TEST(Decoder, LongGotoAndXeq) {
  ExpectDecodes({
      {"D00066", {"GTO A"}}, {"E0007F", {"XEQ e"}}, {"D00005", {"GTO 05"}},
      // Jump distances cached by calculators in D/E low digit, byte 2, bit 7.
      {"D3A185", {"GTO 05"}}, {"E2FFE6", {"XEQ A"}},
      {"D00065", {"GTO 101"}},  // a third byte that names no label, in decimal
      {"D000", {kErrorLine}}, {"E0", {kErrorLine}},
  });
}

TEST(Decoder, KeyAssignments) {
  ExpectDecodes({
      {"F3E30105", {"KEY 1 GTO 05"}}, {"F3E20185", {"KEY 1 XEQ IND 05"}},
      {"F3E2097F", {"KEY 9 XEQ e"}}, {"F3E201F3", {"KEY 1 XEQ IND ST X"}},
      {"F4C3014142", {"KEY 1 GTO \"AB\""}}, {"F4CA024142", {"KEY 2 XEQ IND \"AB\""}},
      {"F2C201", {"KEY 1 XEQ \"\""}},
      // Truncated: no invented operand, and no "KEY GTO nn".
      {"F3E301", {kErrorLine}},
      {"F3E301F5", {kErrorLine}},  // 5 names no stack register
      {"C1C30141", {kErrorLine}},  // only a length byte F0 to FF starts a named one
  });
}

TEST(Decoder, RegisterIndirectAndStackOperands) {
  ExpectDecodes({
      {"9164", {"STO 100"}}, {"9166", {"STO A"}}, {"9185", {"STO IND 05"}}, {"9173", {"STO ST X"}},
      {"91F3", {"STO IND ST X"}}, {"AE05", {"GTO IND 05"}}, {"AE85", {"XEQ IND 05"}},
      {"AE73", {"GTO IND ST X"}}, {"F2D105", {"RCL+ 05"}}, {"F2D185", {"RCL+ IND 05"}},
      {"F2D173", {"RCL+ ST X"}}, {"F2D1F3", {"RCL+ IND ST X"}}, {"F3F70100", {"SIZE 256"}},
      {"F1D5", {"FIX 10"}}, {"F1E7", {"ENG 11"}},
      {"F1D8", {kErrorLine}},  // any other F1 pair would vanish
      {"77F1FF", {"CLX", kErrorLine}}, {"91E4", {kErrorLine}},
      {"9175", {kErrorLine}},  // 5 names no stack register
      {"F3F701", {kErrorLine}}, {"F2D1", {kErrorLine}}, {"91", {kErrorLine}},
  });
}

TEST(Decoder, NamedOperands) {
  ExpectDecodes({
      {"1EF3414243", {"XEQ \"ABC\""}}, {"1DF0", {"GTO \"\""}},
      {"C000F00040", {"LBL \"\"", "+"}},  // the label's four head bytes
      {"F3894142", {"STO IND \"AB\""}}, {"F27F44", {"\x9F \"D\""}},
      {"F3C04111", {"ASSIGN \"A\" TO 18"}},
      // The empty append text, whatever byte follows it, and at the end.
      {"F17F40", {"\x9F \"\"", "+"}}, {"F17F", {"\x9F \"\""}},
      // Names of 7 characters (6 for KEY and ASSIGN) start with a byte F7 or F8
      // whose first bytes could pass for a register form.
      {"F8B2434F4E54524F4C", {"ASTO \"CONTROL\""}},
      {"F8C301414243444546", {"KEY 1 GTO \"ABCDEF\""}},
      {"F8C0414243444546" "05", {"ASSIGN \"ABCDEF\" TO 06"}},
  });
}

// Bytes past the end of the text are absent: a count that runs past the end
// reads nothing left over from an earlier instruction.
TEST(Decoder, ConversionErrors) {
  const struct {
    std::string hex;
    std::string message;
  } rows[] = {
      {"9G", "'$9G' is not a valid integer value"},
      {"77 40", "'$ 4' is not a valid integer value"},
      {"F34142", "'$' is not a valid integer value"},  // counts past the end
      {"F341424", "'$4' is not a valid integer value"},
      {"F5C0414243", "'$' is not a valid integer value"},  // ASSIGN without its key
      {"1EF54142", "'$' is not a valid integer value"},
      {"C000F5004142", "'$' is not a valid integer value"},
      {"F3C301", "'$' is not a valid integer value"},
      {"1111111111Z100", "'$Z1' is not a valid integer value"},  // a digit byte of a number
  };
  for (const auto& row : rows) {
    try {
      HTC::HexToCode(row.hex);
      ADD_FAILURE() << "no error for " << row.hex;
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(error.what(), row.message) << "hex: " << row.hex;
    }
  }
}

}  // namespace
}  // namespace orrikey
