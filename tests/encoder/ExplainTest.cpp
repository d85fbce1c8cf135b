// Failed lines in words, and the columns of the line each fault marks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoder/Encoder.h"
#include "encoder/Explain.h"

namespace orrikey {
namespace {

struct ExplainRow {
  std::string line;
  size_t begin;
  size_t end;
  std::string message;
};

void ExpectExplains(const std::vector<ExplainRow>& rows) {
  for (const ExplainRow& row : rows) {
    SCOPED_TRACE(row.line);
    const encoder::AssembledLine assembled = encoder::AssembleLine(row.line);
    ASSERT_TRUE(assembled.failed());
    const encoder::Fault fault = encoder::ExplainFailure(row.line, assembled);
    EXPECT_EQ(fault.message, row.message);
    EXPECT_EQ(fault.begin, row.begin);
    EXPECT_EQ(fault.end, row.end);
  }
}

TEST(Explain, Names) {
  ExpectExplains({
      {"FOO BAR", 0, 3, "unknown instruction \"FOO\""},
      {"clx", 0, 3, "unknown instruction \"clx\""},
      {"X<=Y?", 0, 5, "unknown instruction \"X<=Y?\""},
      {"X\x8BY", 0, 3, "unknown instruction \"X≠Y\""},
      {"1.2.3", 0, 5, "malformed number \"1.2.3\""},
      {"CLX X", 4, 5, "CLX takes no operand"},
      {"DATE+ 5", 6, 7, "DATE+ takes no operand"},
      {"STO\xA0", 0, 4, "STO÷ needs an operand"},
      {"RCLx", 0, 4, "RCL× needs an operand"},
      {"RCL\x82 128", 5, 8, "register 128 is out of range (00 to 111, 117 to 127)"},
      {"STO\t05", 3, 4, "a tab after STO where a blank belongs"},
      {"KEY 1 GTO", 0, 9, "KEY 1 GTO needs an operand"},
      // Comments and the blanks around the instruction keep their columns.
      {"  STO 128   @ register", 6, 9, "register 128 is out of range (00 to 111, 117 to 127)"},
      {"\tFOO @ a \"quoted\" note", 1, 4, "unknown instruction \"FOO\""},
  });
}

TEST(Explain, Numbers) {
  ExpectExplains({
      {"STO 5", 4, 5, "register 5 needs 2 digits (05)"},
      {"STO 0005", 4, 8, "register 0005 has more than 3 digits"},
      {"STO IND 112", 8, 11, "register 112 is out of range (00 to 111, 117 to 127)"},
      {"LBL 102", 4, 7, "label 102 is out of range (00 to 101, 117 to 122, A to J, a to e)"},
      {"FIX 12", 4, 6, "digit count 12 is out of range (00 to 11)"},
      {"SIZE 10000", 5, 10, "size 10000 is out of range (0 to 9999)"},
      {"DROPN 200", 6, 9, "number 200 is out of range (0 to 111, 117 to 127)"},
      {"12\x85", 2, 3, "stray \"Σ\" after the number"},
  });
}

TEST(Explain, OperandForms) {
  ExpectExplains({
      {"STO  05", 4, 5, "more than one blank after STO"},
      {"LBL IND 05", 4, 7, "LBL does not take IND"},
      {"SF ST X", 3, 7, "SF does not take a stack register"},
      {"XSTR 05", 5, 7, "XSTR does not take a number"},
      {"STO ST Q", 4, 8, "ST Q is not a stack register"},
      {"STO XYZ", 4, 7, "STO does not take \"XYZ\""},
      {"STO IND \"\"", 8, 10, "STO does not take an empty name"},
  });
}

TEST(Explain, Texts) {
  ExpectExplains({
      {"\"ABCDEFGHIJKLMNOP\"", 0, 18, "text longer than 15 characters"},
      // Room goes to the instruction's own bytes and the key.
      {"STO \"ABCDEFGHIJKLMNO\"", 4, 21, "name longer than 14 characters"},
      {"KEY 1 XEQ \"ABCDEFGHIJKLMN\"", 10, 26, "name longer than 13 characters"},
      {"\"\x9F"
       "A\"",
       1, 2, "a text may not begin with character 0x7F (\"├\")"},
      {"\"\x80"
       "7fA\"",
       1, 4, "a text may not begin with character 0x7F (\"€7f\")"},
      {"\"AB", 0, 3, "unclosed text"},
      {"\"A\" X", 4, 5, "unexpected \"X\" after the text"},
      {"STO \"AB", 4, 7, "unclosed name"},
  });
}

TEST(Explain, KeysAndModules) {
  ExpectExplains({
      {"KEY 0 GTO 05", 4, 5, "key 0 is out of range (1 to 9)"},
      {"KEY 1 FOO 05", 6, 9, "KEY 1 needs GTO or XEQ"},
      {"ASSIGN \"AB\" TO 19", 15, 17, "key 19 is out of range (01 to 18)"},
      {"ASSIGN \"AB19\"", 10, 12, "key 19 is out of range (01 to 18)"},
      {"ASSIGN \"AB\" TO 5", 15, 16, "key 5 needs 2 digits (05)"},
      {"ASSIGN \"A\"", 7, 10, "ASSIGN needs a key number after TO (01 to 18)"},
      {"ASSIGN AB TO 05", 7, 15, "ASSIGN needs a quoted name, TO and a key number"},
      {"XROM 32,00", 5, 7, "XROM module 32 is out of range (00 to 31)"},
      {"XROM 01,64", 8, 10, "XROM function 64 is out of range (00 to 63)"},
      {"XROM 0x123", 5, 10, "XROM 0x takes 1 to 15 bytes in hex"},
  });
}

TEST(Explain, ControlBytes) {
  ExpectExplains({
      {"\x05+", 0, 1, "control character 0x05 outside a text"},
      {" \"A\x05\" \x01 @ note", 6, 7, "control character 0x01 outside a text"},
  });
}

}  // namespace
}  // namespace orrikey
