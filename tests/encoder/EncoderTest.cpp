// Program lines and the bytes they give, grouped by instruction form.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoder/Encoder.h"

namespace orrikey {
namespace {

struct EncodeRow {
  std::string line;
  std::string hex;
};

std::string Repeated(const std::string& text, size_t times) {
  std::string out;
  for (size_t i = 0; i < times; ++i) out += text;
  return out;
}

// Through the whole line encoder.
void ExpectEncodes(const std::vector<EncodeRow>& rows) {
  for (const EncodeRow& row : rows)
    EXPECT_EQ(encoder::HexRow(encoder::AssembleLine(row.line)), row.hex) << "line: " << row.line;
}

TEST(Encoder, FixedInstructions) {
  ExpectEncodes({
      {"CLX", "77"},
      {"END", "C0000D"},
      {".END.", "C0000D"},
      {"\xA0", "43"},
      {"E^X-1", "58"},
      {"RDX.", "A25B"},
      {"RDX", "A25C"},
      {"X\x8AY?", "A260"},
      // The calculator's spellings, as whole lines only.
      {"RDX,", "A25C"},
      {"DATE+", "A68D"},
      {"BASE\x82", "A0E8"},
      {"\x82", "42"},
      {"RDX, @ comma", "A25C"},
      {"DATE+ 5", "------ err opcode"},
      {"X<=Y?", "------ err opcode"},  // glyph names typed in ASCII are not names
      {"clx", "------ err opcode"},
      {"CLX X", "------ err opcode"},
  });
}

// Program text names these as the calculator does; files written before
// hold the table names, which read alike.
TEST(Encoder, CalculatorNamesOfOperandInstructions) {
  ExpectEncodes({
      {"RCL\x82 05", "F2D305"},
      {"RCLx 05", "F2D305"},
      {"STO\x82 IND 05", "9485"},
      {"STOx IND 05", "9485"},
      {"RCL\x82 IND ST X", "F2D3F3"},
      {"RCL\x82", "------ err opcode"},
      {"RCL\x82 128", "------ err par"},
      {"\x82 05", "------ err opcode"},
  });
}

// A control byte is trimmed as little as any other character: outside a
// quoted text it fails the line and is named; inside one it is a code.
TEST(Encoder, ControlBytes) {
  const struct {
    std::string line;
    std::string hex;
    std::string reason;
  } rows[] = {
      {"\x05+", "------ err char", "The line holds the control character 0x05"},
      {"+\x1F", "------ err char", "The line holds the control character 0x1F"},
      {"STO\x0B"
       "01",
       "------ err char", "The line holds the control character 0x0B"},
      {"\"A\" \x01", "------ err char", "The line holds the control character 0x01"},
      {"\x02 @ note", "------ err char", "The line holds the control character 0x02"},
      {"+ @ a note\x02", "40", ""},
      {"\t+\t", "40", ""},
      {"\"A\x05\"", "F24105", ""},
      {"\"A\x05", "------ err opcode", ""},  // an open text runs to the end of the line
      // Display code 0x14 shows a calculator character, so no instruction.
      {"\x14+", "------ err opcode", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    const encoder::AssembledLine assembled = encoder::AssembleLine(row.line);
    EXPECT_EQ(encoder::HexRow(assembled), row.hex);
    EXPECT_EQ(encoder::FailureReason(assembled), row.reason);
  }
}

TEST(Encoder, Numbers) {
  ExpectEncodes({
      {"12", "111200"},
      {"-1.5", "1C111A1500"},
      {"007", "10101700"},
      {"1\x98-3", "111B1C1300"},
      // Calculators store numbers whose mantissa starts or ends with the point.
      {".5", "1A1500"},
      {"5.", "151A00"},
      {"-.5", "1C1A1500"},
      {"1\x98"
       "1000",
       "------ err opcode"},
      {"1E5", "------ err opcode"},
      {"+5", "------ err opcode"},
      {".", "------ err opcode"},
      // "$" matches before a final line-break byte, so 0x85 passes the pattern.
      {"12\x85", "------ err num"},
  });
}

TEST(Encoder, Strings) {
  ExpectEncodes({
      {"\"ABC\"", "F3414243"},
      {"\"A\"B\"", "F3412242"},
      {"\"ABCDEFGHIJKLMNO\"", "FF4142434445464748494A4B4C4D4E4F"},
      {"\"ABCDEFGHIJKLMNOP\"", "------ err string"},
      {"\"A\x85\xA4\x98\x14\"", "F5410504"
                                "1814"},  // 0xA4 is code 4; code 20 is itself
      // Escapes spell every code, a hex pair in either case; the append sign is 0x7F.
      {"\"A\x80"
       "84\x80"
       "C2[LF][ESC]\x9F\"",
       "F6418"
       "4C20A1B7F"},
      {"\"A\x80"
       "4G\x80\"",
       "F541803447"
       "80"},
      {"\"A[LF[ESC\"", "F8415B4C465B455343"},
      // The limit counts characters, not the bytes that spell them.
      {"\"A" +
           Repeated("\x80"
                    "84",
                    14) +
           "\"",
       "FF41" + Repeated("84", 14)},
      {"\"A" +
           Repeated("\x80"
                    "84",
                    15) +
           "\"",
       "------ err string"},
      {"\"AB", "------ err opcode"},
      // The zero-length text is a no-op that calculators keep in programs.
      {"\"\"", "F0"},
      // A first byte of 0x7F or more would read as another instruction.
      {"\"\x7F"
       "A\"",
       "------ err string"},
      {"\"\x81"
       "AZ\"",
       "------ err string"},
      {"\"\x85"
       "A\"",
       "F20541"},
      {"\"\x9F"
       "A\"",
       "------ err string"},
      {"\"\x80"
       "7fA\"",
       "------ err string"},
      {"\"\x80"
       "41B\"",
       "F24142"},
  });
}

TEST(Encoder, RegisterNumbers) {
  ExpectEncodes({
      {"STO 05", "35"},
      {"STO 15", "3F"},
      {"STO 16", "9110"},
      {"RCL 16", "9010"},
      {"LBL 14", "0F"},
      {"LBL 15", "CF0F"},
      {"GTO 14", "BF00"},
      {"GTO 15", "D0000F"},
      {"XEQ 05", "E00005"},
      {"RCL+ IND 99", "F2D1E3"},
      {"STO IND 16", "9190"},
      {"XEQ IND 05", "AE85"},
      {"FIX IND 10", "9C8A"},
      {"STO 5", "------ err par"},
      {"STO  05", "------ err par"},
      {"LBL IND 05", "------ err par"},
      // Operand bytes up to 0x7F, but not the stack registers nor, for labels, the letters.
      {"STO 102", "9166"},
      {"SF 102", "A866"},
      {"STO IND 100", "91E4"},
      {"RCL IND 127", "90FF"},
      {"STO 112", "------ err par"},
      {"STO IND 116", "------ err par"},
      {"STO 128", "------ err par"},
      {"LBL 101", "CF65"},
      {"GTO 117", "D00075"},
      {"XEQ 102", "------ err par"},
      {"STO", "------ err opcode"},
  });
}

TEST(Encoder, StackRegisters) {
  ExpectEncodes({
      {"STO ST X", "9173"},
      {"RCL IND ST L", "90F4"},
      {"RCL+ ST X", "F2D173"},
      {"XEQ IND ST Y", "AEF2"},
      {"SF ST X", "------ err par"},
      {"STO st X", "------ err par"},
  });
}

// Forms the calculator reads though the instruction offers no key for them, so
// that lines decoded from them keep their bytes; an instruction's own form wins.
TEST(Encoder, FormsReadFromOtherForms) {
  ExpectEncodes({
      {"CLV 53", "F2D835"},
      {"SOLVE 71", "F2EB47"},
      {"PGMINT 111", "F2E86F"},
      {"VARMENU ST Y", "F2F872"},
      {"INTEG 78", "F2EA4E"},
      {"EDITN 83", "F2EF53"},
      {"INPUT 49", "F2D031"},
      {"INPUT IND 06", "F2EE86"},
      {"MVAR IND \"LsX\"", "F4984C7358"},
      {"CLP IND \"A\"", "------ err par"},  // its byte F8 leads VARMENU IND
      {"CLV 128", "------ err par"},
  });
}

TEST(Encoder, QuotedNamesAndLabels) {
  ExpectEncodes({
      {"STO \"AB\"", "F3814142"},
      {"STO IND \"AB\"", "F3894142"},
      {"LBL \"AB\"", "C000F3004142"},
      {"GTO \"AB\"", "1DF24142"},
      {"XEQ \"AB\"", "1EF24142"},
      {"GTO IND \"AB\"", "F3AE4142"},
      {"\x9F \"AB\"", "F37F4142"},
      {"STO \"ABCDEFGHIJKLMN\"", "FF81"
                                 "4142434445464748494A4B4C4D4E"},
      {"STO \"ABCDEFGHIJKLMNO\"", "------ err string"},
      {"SF \"AB\"", "------ err par"},
      {"GTO A", "D00066"},
      {"XEQ e", "E0007F"},
      {"LBL J", "CF6F"},
      {"STO A", "------ err par"},
      // Only the append text and the wide forms take an empty name.
      {"\x9F \"\"", "F17F"},
      {"X\x8B? \"\"", "F2A705"},
      {"STO IND \"\"", "------ err par"},
      {"ISG \"\"", "------ err par"},
      {"KEY 1 XEQ \"\"", "------ err par"},
  });
}

TEST(Encoder, KeyAssignments) {
  ExpectEncodes({
      {"KEY 1 GTO 05", "F3E30105"},
      {"KEY 1 GTO IND ST X", "F3E301F3"},
      {"KEY 9 GTO 05", "F3E30905"},
      {"KEY 9 XEQ \"AB\"", "F4C2094142"},
      {"KEY 1 GTO A", "F3E30166"},
      {"KEY 1 XEQ \"AB\"", "F4C2014142"},
      {"KEY 1 XEQ \"ABCDEFGHIJKLM\"", "FFC201"
                                      "4142434445464748494A4B4C4D"},
      {"KEY 1 XEQ \"ABCDEFGHIJKLMN\"", "------ err string"},
      {"KEY 1 GTO ST X", "------ err par"},
      {"KEY 0 GTO 05", "------ err opcode"},
      {"KEY 1 GTO", "------ err par"},
  });
}

TEST(Encoder, Assign) {
  ExpectEncodes({
      {"ASSIGN \"AB\" TO 05", "F4C0414204"},
      {"ASSIGN \"AB\" TO 18", "F4C0414211"},
      {"ASSIGN \"AB\" TO 19", "------ err par"},
      {"ASSIGN \"\" TO 05", "F2C004"},
      {"ASSIGN \"AB12\"", "F4C041420B"},  // without TO, the last two characters are the key
      // The name comes from the pattern's own match, so '" TO' inside it stays.
      {"ASSIGN \"A\" TO B\" TO 05", "F9C0"
                                    "412220544F2042"
                                    "04"},
  });
}

TEST(Encoder, DisplayFormatsAndSize) {
  ExpectEncodes({
      {"FIX 09", "9C09"},
      {"FIX 10", "F1D5"},
      {"ENG 11", "F1E7"},
      {"FIX 12", "------ err par"},
      {"SIZE 25", "F3F70019"},
      {"SIZE 0025", "F3F70019"},
      {"SIZE 9999", "F3F7270F"},
      {"SIZE 10000", "------ err par"},
  });
}

TEST(Encoder, TodaysInstructions) {
  ExpectEncodes({
      {"NOP", "F0"},
      {"DROP", "A271"},
      {"\xAFLIST", "A6FC"},
      {"Mixed", "A7FB"},
      {"DROPN 2", "F2A102"},
      {"DROPN 02", "F2A102"},
      {"DROPN IND 05", "F2A185"},
      {"DROPN IND 5", "------ err par"},
      {"R^N 127", "F2A67F"},
      {"FUNC 11", "F2E00B"},
      {"LSTO \"AB\"", "F3C74142"},
      {"LSTO 05", "F2ED05"},
      {"RTNERR IND \"AB\"", "F3E44142"},
      {"LASTO ST X", "F2C873"},
      {"0=? ST Y", "F3A71A72"},
      {"X=? 05", "F3A71405"},
      {"X=? IND ST Y", "F3A714F2"},
      {"0\x8B? \"p\"", "F3A72370"},
      {"VARMNU1 \"AB\"", "F4A7424142"},
      {"XSTR \"AB\"", "F4A7414142"},
      {"XSTR 05", "------ err par"},
      {"X=? \"ABCDEFGHIJKLM\"", "FFA70441424344454647"
                                "48494A4B4C4D"},
      {"X=? \"ABCDEFGHIJKLMN\"", "------ err string"},
  });
}

TEST(Encoder, UnknownInstructionsKeptAsXrom) {
  ExpectEncodes({
      {"XROM 00,00", "A000"},
      {"XROM 31,63", "A7FF"},
      {"XROM 11,63", "A2FF"},
      {"XROM 32,00", "------ err par"},
      {"XROM 01,64", "------ err par"},
      {"XROM 0x96", "F196"},
      {"XROM 0xC004", "F2C004"},
      {"XROM 0x", "------ err par"},
      {"XROM 0x123", "------ err par"},
      {"XROM 0x" + std::string(32, 'a'), "------ err par"},
  });
}

}  // namespace
}  // namespace orrikey
