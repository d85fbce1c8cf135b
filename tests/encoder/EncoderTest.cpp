// Program lines and the bytes they give, grouped by instruction form.

#include "EncodeRows.h"

namespace orrikey {
namespace {

using testing::ExpectEncodes;

TEST(Encoder, FixedInstructions) {
  ExpectEncodes({
      {"CLX", "77"},
      {"NULL", "00"},
      {"END", "C0000D"},
      {".END.", "C0000D"},
      {"\xA0", "43"},  // the division glyph
      {"x", "42"},
      {"E^X-1", "58"},
      {"LN1+X", "65"},
      {"RDX.", "A25B"},
      {"RDX", "A25C"},
      {"CL\x85", "70"},
      {"X\x8B" "0?", "63"},
      {"X\x8A" "Y?", "A260"},
      {"\xAF" "DEG", "6B"},
      {"TIME", "A69C"},
      {"X<=Y?", "------ err opcode"},  // glyph names typed in ASCII are not names
      {"clx", "------ err opcode"},
      {"CLX X", "------ err opcode"},
  });
}

TEST(Encoder, Numbers) {
  ExpectEncodes({
      {"12", "111200"},
      {"-1.5", "1C111A1500"},
      {"007", "10101700"},
      {"1.50", "111A151000"},
      {"1\x98-3", "111B1C1300"},
      {"1\x98" "999", "111B19191900"},
      {"1\x98" "1000", "------ err opcode"},
      {"1E5", "------ err opcode"},
      {"+5", "------ err opcode"},
      {".", "------ err opcode"},
      {"--1", "------ err opcode"},
      {"1.2.3", "------ err opcode"},
      // "$" matches before a final line-break byte, so 0x85 passes the pattern.
      {"12\x85", "------ err num"},
  });
}

// Calculators store numbers whose mantissa starts or ends with the point.
TEST(Encoder, NumbersWithBarePoint) {
  ExpectEncodes({
      {".5", "1A1500"},
      {"5.", "151A00"},
      {"-.5", "1C1A1500"},
      {"5.\x98" "2", "151A1B1200"},
  });
}

TEST(Encoder, Strings) {
  ExpectEncodes({
      {"\"ABC\"", "F3414243"},
      {"\"A\"B\"", "F3412242"},
      {"\"ABCDEFGHIJKLMNO\"", "FF4142434445464748494A4B4C4D4E4F"},
      {"\"ABCDEFGHIJKLMNOP\"", "------ err string"},
      {"\"A\x85\"", "F24105"},
      {"\"A\xA4\"", "F24104"},  // codes 4 and 20 share 0xA4; the first wins
      {"\"A\x98\"", "F24118"},
      {"\"A\x9F\"", "F2419F"},  // the append glyph is not translated
      {"\"A\tB\"", "F3410942"},
      {"\"A@B\"", "F3414042"},
      {"\"AB", "------ err opcode"},
      {"\"AB\" X", "------ err opcode"},
  });
}

TEST(Encoder, EmptyStringIsTheNoOpText) {
  ExpectEncodes({{"\"\"", "F0"}, {"\"\"\"", "F122"}});
}

// A first byte of 0x7F or more would turn the text into another instruction.
TEST(Encoder, StringsThatWouldReadAsInstructions) {
  ExpectEncodes({
      {"\"\x7F" "A\"", "------ err string"},
      {"\"\x81" "AZ\"", "------ err string"},
      {"\"\x9F" "A\"", "------ err string"},
      {"\"\x85" "A\"", "F20541"},  // a mapped glyph is a calculator code below 32
      {"\"A\x81\"", "F24181"},
  });
}

TEST(Encoder, RegisterNumbers) {
  ExpectEncodes({
      {"STO 05", "35"},
      {"STO 15", "3F"},
      {"STO 16", "9110"},
      {"RCL 15", "2F"},
      {"RCL 16", "9010"},
      {"STO+ 00", "9200"},
      {"LBL 14", "0F"},
      {"LBL 15", "CF0F"},
      {"GTO 00", "B100"},
      {"GTO 14", "BF00"},
      {"GTO 15", "D0000F"},
      {"XEQ 05", "E00005"},
      {"SF 11", "A80B"},
      {"TONE 09", "9F09"},
      {"STO 5", "------ err par"},
      {"STO 100", "------ err par"},
      {"STO  05", "------ err par"},
      {"STO 05 X", "------ err par"},
      {"STO", "------ err opcode"},
      {"sto 05", "------ err opcode"},
  });
}

TEST(Encoder, IndirectNumbers) {
  ExpectEncodes({
      {"STO IND 05", "9185"},
      {"STO IND 15", "918F"},
      {"STO IND 16", "9190"},
      {"GTO IND 05", "AE05"},
      {"XEQ IND 05", "AE85"},
      {"FIX IND 10", "9C8A"},
      {"RCL+ IND 99", "F2D1E3"},
      {"LBL IND 05", "------ err par"},
      {"STO IND", "------ err par"},
  });
}

TEST(Encoder, StackRegisters) {
  ExpectEncodes({
      {"STO ST X", "9173"},
      {"RCL ST Y", "9072"},
      {"RCL IND ST L", "90F4"},
      {"STO IND ST X", "91F3"},
      {"ISG ST Z", "9671"},
      {"DSE IND ST T", "97F0"},
      {"RCL+ ST X", "F2D173"},
      {"GTO IND ST X", "AE73"},
      {"XEQ IND ST Y", "AEF2"},
      {"SF ST X", "------ err par"},
      {"XEQ ST X", "------ err par"},
      {"STO ST Q", "------ err par"},
      {"STO st X", "------ err par"},
  });
}

TEST(Encoder, QuotedNames) {
  ExpectEncodes({
      {"STO \"AB\"", "F3814142"},
      {"STO IND \"AB\"", "F3894142"},
      {"LBL \"AB\"", "C000F3004142"},
      {"GTO \"AB\"", "1DF24142"},
      {"XEQ \"AB\"", "1EF24142"},
      {"GTO IND \"AB\"", "F3AE4142"},
      {"\x9F \"AB\"", "F37F4142"},
      {"MVAR \"X\"", "F29058"},
      {"CLP \"AB\"", "F3F04142"},
      {"STO \"A\x85\"", "F3814105"},
      {"STO \"ABCDEFGHIJKLMN\"", "FF81" "4142434445464748494A4B4C4D4E"},
      {"STO \"ABCDEFGHIJKLMNO\"", "------ err string"},
      {"SF \"AB\"", "------ err par"},
      {"LBL IND \"AB\"", "------ err par"},
      {"MVAR 05", "------ err par"},
  });
}

TEST(Encoder, LocalLabels) {
  ExpectEncodes({
      {"GTO A", "D00066"},
      {"XEQ e", "E0007F"},
      {"LBL J", "CF6F"},
      {"LBL a", "CF7B"},
      {"LBL e", "CF7F"},
      {"LBL A", "CF66"},
      {"STO A", "------ err par"},
      {"GTO K", "------ err par"},
      {"GTO f", "------ err par"},
  });
}

TEST(Encoder, KeyAssignments) {
  ExpectEncodes({
      {"KEY 1 GTO 05", "F3E30105"},
      {"KEY 9 XEQ 99", "F3E20963"},
      {"KEY 1 GTO IND 05", "F3E30185"},
      {"KEY 1 GTO IND ST X", "F3E301F3"},
      {"KEY 1 XEQ IND ST L", "F3E201F4"},
      {"KEY 1 GTO A", "F3E30166"},
      {"KEY 1 XEQ \"AB\"", "F4C2014142"},
      {"KEY 1 GTO IND \"AB\"", "F4CB014142"},
      {"KEY 1 XEQ \"ABCDEFGHIJKLM\"", "FFC201" "4142434445464748494A4B4C4D"},
      {"KEY 1 XEQ \"ABCDEFGHIJKLMN\"", "------ err string"},
      {"KEY 1 GTO ST X", "------ err par"},
      {"KEY 0 GTO 05", "------ err opcode"},
      {"KEY 1 RCL 05", "------ err opcode"},
  });
}

TEST(Encoder, Assign) {
  ExpectEncodes({
      {"ASSIGN \"AB\" TO 05", "F4C0414204"},
      {"ASSIGN \"AB\" TO 18", "F4C0414211"},
      {"ASSIGN \"AB\" TO 19", "------ err par"},
      {"ASSIGN \"AB\" TO 00", "------ err par"},
      {"ASSIGN \"AB12\"", "F4C041420B"},  // without TO, the last two characters are the key
      {"ASSIGN \"ABC\"", "------ err par"},
      {"ASSIGN \"ABCDEFGHIJKLM\" TO 01", "FFC0" "4142434445464748494A4B4C4D" "00"},
      {"ASSIGN \"ABCDEFGHIJKLMN\" TO 01", "------ err string"},
  });
}

// The key number is taken from the pattern's own match, so a name holding
// '" TO' keeps all its bytes.
TEST(Encoder, AssignNameHoldingTo) {
  ExpectEncodes({{"ASSIGN \"A\" TO B\" TO 05", "F9C0" "412220544F2042" "04"}});
}

TEST(Encoder, DisplayFormatsAndSize) {
  ExpectEncodes({
      {"FIX 09", "9C09"},
      {"FIX 10", "F1D5"},
      {"FIX 11", "F1E5"},
      {"SCI 10", "F1D6"},
      {"ENG 11", "F1E7"},
      {"FIX 12", "------ err par"},
      {"SIZE 25", "F3F70019"},
      {"SIZE 0025", "F3F70019"},
      {"SIZE 9999", "F3F7270F"},
      {"SIZE 0", "F3F70000"},
      {"SIZE 10000", "------ err par"},
  });
}

}  // namespace
}  // namespace orrikey
