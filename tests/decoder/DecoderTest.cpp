// Program bytes, written here as hex, and the lines they decode to, as the
// calculator lists them. Every form also makes the round trip; the rows here
// are its edges: truncated bytes, bytes that must not vanish, cached jump
// distances, names that look like other forms, and unusual byte sequences.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/Reader.h"
#include "programtext/Codes.h"
#include "programtext/ProgramLines.h"
#include "text/Hex.h"

namespace orrikey {
namespace {

const std::string kErrorLine(decoder::kErrorLine);

struct DecodeRow {
  std::string hex;
  std::vector<std::string> lines;
};

// A row whose last line is the error line must also report where it stopped,
// with the right line number; any other row must decode to its end.
void ExpectDecodes(const std::vector<DecodeRow>& rows) {
  for (const DecodeRow& row : rows) {
    const std::vector<std::uint8_t> bytes = text::ParseHex(row.hex).bytes;
    const decoder::Decoded decoded = decoder::Decode(bytes);
    EXPECT_EQ(programtext::ProgramLines(decoded), row.lines) << "hex: " << row.hex;
    const bool failed = !row.lines.empty() && row.lines.back() == kErrorLine;
    const std::string message =
        failed ? kErrorLine + " - Around Line: " + std::to_string(row.lines.size()) : "";
    EXPECT_EQ(decoder::StopMessage(decoded.stop), message) << "hex: " << row.hex;
  }
}

TEST(Decoder, WholeProgram) {
  ExpectDecodes({
      {"", {}},
      {"C000F400414243111A150031214077C0000D", {"LBL \"ABC\"", "1.5", "STO 01", "RCL 01", "+", "CLX", "END"}},
  });
}

// The calculator's names where the tables name an instruction in ASCII; RDX
// keeps its table name.
TEST(Decoder, CalculatorNames) {
  ExpectDecodes({
      {"42", {"\x82"}},
      {"A68D", {"DATE+"}},
      {"F2D305", {"RCL\x82 05"}},
      {"9485", {"STO\x82 IND 05"}},
      {"A0E8", {"BASE\x82"}},
      {"A25C", {"RDX"}},
      {"F2D39C", {"RCL\x82 IND 28"}},
  });
}

TEST(Decoder, NumbersEndAtTheFirstOtherByte) {
  ExpectDecodes({
      {"1C1A151B1200",
       {"-.5\x98"
        "2"}},
      {"1000", {"0"}},
      {"17910500", {"7", "STO 05", "NULL"}},
      {"124F00", {"2", "\xAFPOL", "NULL"}},
      {"11100001", {"10", "LBL 00"}},
      {"17", {"7"}},
  });
}

TEST(Decoder, Texts) {
  ExpectDecodes({
      {"F20D04", {"\"\xAD\xA4\""}},  // calculator codes below 32 as display codes
      {"F14140", {"\"A\"", "+"}},
      // Codes whose own byte means another character are escaped, never dropped.
      {"F24185",
       {"\"A\x80"
        "85\""}},
      {"F3418041",
       {"\"A\x80"
        "80A\""}},
      {"F3417F42",
       {"\"A\x9F"
        "B\""}},
      {"F341FF9F",
       {"\"A\xFF\x80"
        "9f\""}},
      {"F29B84",
       {"RCL- IND \"\x80"
        "84\""}},
      // A "[" that would read back as an escape is escaped itself.
      {"F5415B4C465D",
       {"\"A\x80"
        "5bLF]\""}},
      {"F4415B4C46", {"\"A[LF\""}},
      {"F07F", {"NOP", "CLD"}},
      {"F27F44", {"\x9F \"D\""}},
      {"F17F", {"\x9F \"\""}},
      // A key byte other than 1 to 9 makes the whole sequence a text.
      {"F5C238786D4C",
       {"\"\xC2"
        "8xmL\""}},
  });
}

TEST(Decoder, FixedAndShortForms) {
  ExpectDecodes({
      {"00", {"NULL"}},
      {"40", {"+"}},
      {"A25D", {"ALL"}},
      {"2F", {"RCL 15"}},
      {"30", {"STO 00"}},
      {"B2FF", {"GTO 01"}},  // the second byte is the cached jump distance
      {"B000", {kErrorLine}},
      {"B1", {kErrorLine}},
      {"A2", {kErrorLine}},
      // Forms read but never written.
      {"A67C", {"X\x89? IND ST Y"}},
      {"A7DC", {"FUNC 11"}},
      {"A7E0", {"RTNERR IND ST X"}},
  });
}

TEST(Decoder, UnknownInstructionsAreKept) {
  ExpectDecodes({
      {"77A2FF77", {"CLX", "XROM 11,63", "CLX"}},
      {"F1D8", {"XROM 0xd8"}},
      // A key assignment with no name, whatever its key byte.
      {"F2C201", {"XROM 0xc201"}},
      {"F2C31A", {"XROM 0xc31a"}},
      {"F1C3", {"XROM 0xc3"}},
      // FIX, SCI and ENG 10 and 11 exist only as two bytes.
      {"F5E535495830", {"XROM 0xe535495830"}},
  });
}

TEST(Decoder, LabelOperands) {
  ExpectDecodes({
      {"D00005", {"GTO 05"}},
      {"E00071", {"XEQ ST Z"}},
      {"D00065", {"GTO 101"}},
      {"CF75", {"LBL 117"}},
      // Jump distances cached by calculators in D/E low digit, byte 2, bit 7.
      {"D3A185", {"GTO 05"}},
      {"E2FFE6", {"XEQ A"}},
      {"AE66", {"GTO IND 102"}},
      {"AEE6", {"XEQ IND 102"}},
      {"AE73", {"GTO IND ST X"}},
      {"D000", {kErrorLine}},
      {"E0", {kErrorLine}},
  });
}

TEST(Decoder, KeyAssignments) {
  ExpectDecodes({
      {"F3E20185", {"KEY 1 XEQ IND 05"}},
      {"F3E2097F", {"KEY 9 XEQ e"}},
      {"F3E201F3", {"KEY 1 XEQ IND ST X"}},
      {"F4C3014142", {"KEY 1 GTO \"AB\""}},
      {"F4CA024142", {"KEY 2 XEQ IND \"AB\""}},
      {"F3E301", {kErrorLine}},    // cut off: no invented operand
      {"C1C30141", {kErrorLine}},  // only a length byte F0 to FF starts a named one
  });
}

TEST(Decoder, RegisterOperands) {
  ExpectDecodes({
      // Numbers that are letters or stack registers to the label instructions.
      {"9185", {"STO IND 05"}},
      {"F2D1F3", {"RCL+ IND ST X"}},
      {"F3F70100", {"SIZE 256"}},
      {"9C72", {"FIX ST Y"}},
      // After a length byte too the operand byte's top bit alone says IND:
      // instructions with only indirect forms there read direct ones.
      {"F2D835", {"CLV 53"}},
      {"F2EB47", {"SOLVE 71"}},
      {"F2E86F", {"PGMINT 111"}},
      {"F2F872", {"VARMENU ST Y"}},
      {"F2EA4E", {"INTEG 78"}},
      {"F2EF53", {"EDITN 83"}},
      {"F2EC05", {"DIM 05"}},
      // INPUT leads its direct forms with D0 and its indirect ones with EE.
      {"F2EE31", {"INPUT 49"}},
      {"F2D086", {"INPUT IND 06"}},
      {"F3F701", {kErrorLine}},
      {"F2D1", {kErrorLine}},
      {"91", {kErrorLine}},
  });
}

TEST(Decoder, TodaysOperandForms) {
  ExpectDecodes({
      // Wrapped: the rest reads as the shorter form.
      {"F4A7814142", {"STO \"AB\""}},
      {"F3A7D105", {"RCL+ 05"}},
      {"F4A7C0410B", {"XROM 0xa7c0410b"}},  // ASSIGN has no wrapped form
  });
}

TEST(Decoder, NamedOperands) {
  ExpectDecodes({
      {"1EF3414243", {"XEQ \"ABC\""}},
      {"1DF0", {"GTO \"\""}},
      {"C000F10040", {"LBL \"\"", "+"}},
      {"C000F0", {"LBL \"\""}},
      {"CA00F3004142", {"LBL \"AB\""}},
      {"F3C04111", {"ASSIGN \"A\" TO 18"}},
      {"F2C006", {"ASSIGN \"\" TO 07"}},
      {"F8B2434F4E54524F4C", {"ASTO \"CONTROL\""}},
      // Bit 0x08 of a name form's byte is IND, for MVAR too, which has no key for it.
      {"F4984C7358", {"MVAR IND \"LsX\""}},
      // Cut off in the middle of the name.
      {"F34142", {kErrorLine}},
      {"1EF54142", {kErrorLine}},
      {"C000F5004142", {kErrorLine}},
      {"1D41", {kErrorLine}},
  });
}

// A line read alone keeps nothing of the one before; each names the bytes it
// was read from, and a stop the first byte left and the line it would have been.
TEST(Decoder, OneLineAtATimeReadsTheSame) {
  const std::vector<std::uint8_t> bytes = text::ParseHex("C000F20041"
                                                         "1100"
                                                         "9105"
                                                         "F141"
                                                         "A25D"
                                                         "F3E301")
                                              .bytes;
  const decoder::Decoded whole = decoder::Decode(bytes);
  const std::pair<size_t, size_t> spans[] = {{0, 5}, {5, 2}, {7, 2}, {9, 2}, {11, 2}};
  ASSERT_EQ(whole.lines.size(), std::size(spans));
  const auto span = [](const decoder::Instruction& l) { return std::pair<size_t, size_t>(l.offset, l.size); };
  decoder::Reader reader(bytes);
  decoder::Instruction line;
  size_t i = 0;
  for (; reader.Next(line); ++i) {
    const std::string text = programtext::CodesOf(line);
    ASSERT_LT(i, std::size(spans));
    EXPECT_EQ(text, programtext::CodesOf(whole.lines[i]));
    EXPECT_EQ(span(line), spans[i]) << text;
    EXPECT_EQ(span(whole.lines[i]), spans[i]) << text;
  }
  EXPECT_EQ(i, std::size(spans));
  ASSERT_TRUE(whole.stop && reader.stop());
  EXPECT_EQ(whole.stop->offset, 13u);
  EXPECT_EQ(reader.stop()->offset, 13u);
  EXPECT_EQ(whole.stop->line, 6u);
}

}  // namespace
}  // namespace orrikey
