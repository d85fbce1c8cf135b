// Program bytes, written here as hex, and the lines they decode to, as the
// calculator lists them. Every form also makes the round trip; the rows here
// are its edges: truncated bytes, bytes that must not vanish, cached jump
// distances, names that look like other forms, and unusual byte sequences.

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
  });
}

TEST(Decoder, NumbersEndAtTheFirstOtherByte) {
  ExpectDecodes({
      {"1C1A151B1200", {"-.5\x98" "2"}}, {"1000", {"0"}},
      {"17910500", {"7", "STO 05", "NULL"}}, {"124F00", {"2", "\xAFPOL", "NULL"}},
      {"11100001", {"10", "LBL 00"}}, {"17", {"7"}},
  });
}

TEST(Decoder, Texts) {
  ExpectDecodes({
      {"F3412242", {"\"A\"B\""}},    // quotes inside are not escaped
      {"F20D04", {"\"\xAD\xA4\""}},  // calculator codes below 32 as display codes
      {"F24185", {"\"A\""}},         // 0x85 is the display code of code 5: dropped
      {"F14140", {"\"A\"", "+"}},
      {"F3417F42", {"\"A\x7F" "B\""}}, {"F341FF9F", {"\"A\xFF\x9F\""}},
      {"F0", {"NOP"}}, {"F07F", {"NOP", "CLD"}},
      {"F27F44", {"\x9F \"D\""}}, {"F17F", {"\x9F \"\""}},
      // A key byte other than 1 to 9 makes the whole sequence a text.
      {"F5C238786D4C", {"\"\xC2" "8xmL\""}},
  });
}

TEST(Decoder, FixedAndShortForms) {
  ExpectDecodes({
      {"C0000D", {"END"}}, {"00", {"NULL"}}, {"40", {"+"}}, {"A25D", {"ALL"}},
      {"A271", {"DROP"}}, {"A7FB", {"Mixed"}},
      {"0F", {"LBL 14"}}, {"2F", {"RCL 15"}}, {"30", {"STO 00"}}, {"BF00", {"GTO 14"}},
      {"B2FF", {"GTO 01"}},  // the second byte is the cached jump distance
      {"B000", {kErrorLine}}, {"B1", {kErrorLine}}, {"A2", {kErrorLine}},
      // Forms read but never written.
      {"A67C", {"X\x89? IND ST Y"}}, {"A7DC", {"FUNC 11"}}, {"A7E0", {"RTNERR IND ST X"}},
  });
}

TEST(Decoder, UnknownInstructionsAreKept) {
  ExpectDecodes({
      {"A000", {"XROM 00,00"}}, {"A7FF", {"XROM 31,63"}}, {"77A2FF77", {"CLX", "XROM 11,63", "CLX"}},
      {"F196", {"XROM 0x96"}}, {"F2C004", {"XROM 0xc004"}}, {"F1D8", {"XROM 0xd8"}},
      {"F2C201", {"XROM 0xc201"}},  // a key assignment with no name
      {"F2EC05", {"XROM 0xec05"}},  // DIM has no direct register form
      // FIX, SCI and ENG 10 and 11 exist only as two bytes.
      {"F5E535495830", {"XROM 0xe535495830"}},
  });
}

TEST(Decoder, LabelOperands) {
  ExpectDecodes({
      {"D00005", {"GTO 05"}}, {"E00071", {"XEQ ST Z"}}, {"D00065", {"GTO 101"}}, {"CF75", {"LBL 117"}},
      // Jump distances cached by calculators in D/E low digit, byte 2, bit 7.
      {"D3A185", {"GTO 05"}}, {"E2FFE6", {"XEQ A"}},
      {"AE66", {"GTO IND 102"}}, {"AEE6", {"XEQ IND 102"}}, {"AE73", {"GTO IND ST X"}},
      {"D000", {kErrorLine}}, {"E0", {kErrorLine}},
  });
}

TEST(Decoder, KeyAssignments) {
  ExpectDecodes({
      {"F3E30105", {"KEY 1 GTO 05"}}, {"F3E20185", {"KEY 1 XEQ IND 05"}},
      {"F3E2097F", {"KEY 9 XEQ e"}}, {"F3E201F3", {"KEY 1 XEQ IND ST X"}},
      {"F4C3014142", {"KEY 1 GTO \"AB\""}}, {"F4CA024142", {"KEY 2 XEQ IND \"AB\""}},
      {"F3E301", {kErrorLine}},  // cut off: no invented operand
      {"C1C30141", {kErrorLine}},  // only a length byte F0 to FF starts a named one
  });
}

TEST(Decoder, RegisterOperands) {
  ExpectDecodes({
      // Numbers that are letters or stack registers to the label instructions.
      {"9166", {"STO 102"}}, {"A866", {"SF 102"}},
      {"9185", {"STO IND 05"}}, {"F2D1F3", {"RCL+ IND ST X"}}, {"F3F70100", {"SIZE 256"}},
      {"9C72", {"FIX ST Y"}},
      {"F3F701", {kErrorLine}}, {"F2D1", {kErrorLine}}, {"91", {kErrorLine}},
  });
}

TEST(Decoder, TodaysOperandForms) {
  ExpectDecodes({
      {"F2A102", {"DROPN 2"}}, {"F2A185", {"DROPN IND 05"}}, {"F2E00B", {"FUNC 11"}},
      {"F3C74142", {"LSTO \"AB\""}}, {"F2ED05", {"LSTO 05"}}, {"F3E44142", {"RTNERR IND \"AB\""}},
      {"F2C873", {"LASTO ST X"}}, {"F3A71A72", {"0=? ST Y"}}, {"F3A71405", {"X=? 05"}},
      {"F3A72370", {"0\x8B? \"p\""}}, {"F4A7424142", {"VARMNU1 \"AB\""}},
      {"F4A7414142", {"XSTR \"AB\""}}, {"F2A705", {"X\x8B? \"\""}},
      // Wrapped: the rest reads as the shorter form.
      {"F4A7814142", {"STO \"AB\""}}, {"F3A7D105", {"RCL+ 05"}},
      {"F4A7C0410B", {"XROM 0xa7c0410b"}},  // ASSIGN has no wrapped form
  });
}

TEST(Decoder, NamedOperands) {
  ExpectDecodes({
      {"1EF3414243", {"XEQ \"ABC\""}}, {"1DF0", {"GTO \"\""}},
      {"C000F10040", {"LBL \"\"", "+"}}, {"C000F0", {"LBL \"\""}}, {"CA00F3004142", {"LBL \"AB\""}},
      {"F3894142", {"STO IND \"AB\""}}, {"F3C04111", {"ASSIGN \"A\" TO 18"}},
      {"F8B2434F4E54524F4C", {"ASTO \"CONTROL\""}},
      // Cut off in the middle of the name.
      {"F34142", {kErrorLine}}, {"1EF54142", {kErrorLine}}, {"C000F5004142", {kErrorLine}},
      {"1D41", {kErrorLine}},
  });
}

constexpr std::string_view kMixedProgram = "C000F20041" "1100" "9105" "F141" "A25D" "F3E301";

// Each line names the bytes it was read from and the table row it is; a stop
// names the first byte left and the line it would have been.
TEST(Decoder, LinesKnowTheirBytesAndRows) {
  const decoder::Decoded decoded = testing::DecodeHex(kMixedProgram);
  struct Expected {
    size_t offset, size;
    std::string_view row;  // the row's name, empty for none
  };
  const Expected expected[] = {
      {0, 5, "LBL"}, {5, 2, ""}, {7, 2, "STO"}, {9, 2, ""}, {11, 2, "ALL"}};
  ASSERT_EQ(decoded.lines.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const decoder::Line& line = decoded.lines[i];
    const std::string_view text = decoded.TextOf(line);
    EXPECT_EQ(line.offset, expected[i].offset) << text;
    EXPECT_EQ(line.size, expected[i].size) << text;
    const std::string_view row = line.fixedOp ? line.fixedOp->name
                                 : line.modOp ? line.modOp->name : "";
    EXPECT_EQ(row, expected[i].row) << text;
    EXPECT_FALSE(line.fixedOp && line.modOp) << text;
  }
  ASSERT_TRUE(decoded.stop);
  EXPECT_EQ(decoded.stop->offset, 13u);
  EXPECT_EQ(decoded.stop->line, 6u);
}

// A line read after another keeps nothing of it, and a stop leaves nothing
// of the line it could not read.
TEST(Decoder, OneLineAtATimeReadsTheSame) {
  const std::vector<std::uint8_t> bytes = text::ParseHex(kMixedProgram).bytes;
  const decoder::Decoded whole = decoder::Decode(bytes);
  EXPECT_EQ(whole.text.size(), whole.lines.back().textOffset + whole.lines.back().textSize);
  decoder::LineReader reader(bytes);
  decoder::Line line;
  size_t count = 0;
  for (; reader.Next(line); ++count) {
    const std::string_view text = reader.text();
    ASSERT_LT(count, whole.lines.size());
    const decoder::Line& expected = whole.lines[count];
    EXPECT_EQ(text, whole.TextOf(expected));
    EXPECT_EQ(line.offset, expected.offset) << text;
    EXPECT_EQ(line.fixedOp, expected.fixedOp) << text;
    EXPECT_EQ(line.modOp, expected.modOp) << text;
  }
  EXPECT_EQ(reader.text(), "");
  EXPECT_EQ(count, whole.lines.size());
  ASSERT_TRUE(reader.stop());
  EXPECT_EQ(reader.stop()->offset, whole.stop->offset);
}

}  // namespace
}  // namespace orrikey
