// Program text through the encoder and back through the decoder: every
// instruction of both tables, in every argument form its template allows,
// comes back as the same text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/Reader.h"
#include "encoder/Assembly.h"
#include "programtext/ProgramLines.h"
#include "tables/Tables.h"
#include "text/CalculatorNames.h"

namespace orrikey {
namespace {

using Lines = std::vector<std::string>;

// Register numbers at the edges of the short forms (14 for LBL and GTO, 15
// for the others) and of the operand byte; label letters where they apply.
Lines DirectNumbers(const tables::ModOp& op) {
  const std::string name(op.name);
  if (!op.ten.empty()) return {"00", "09", "10", "11"};
  if (op.operand == tables::OperandKind::kPlainNumber) return {"0", "7", "15", "16", "99", "100", "127"};
  if (name == "LBL" || name == "GTO" || name == "XEQ" || name.starts_with("KEY"))
    return {"00", "14", "15", "99", "100", "101", "117", "122", "A", "J", "a", "e"};
  return {"00", "07", "14", "15", "16", "99", "100", "111", "117", "127"};
}

Lines EveryInstruction() {
  Lines lines = {"0",
                 "1.5",
                 "-12.25\x98-3",
                 "007",
                 "1\x98"
                 "999",
                 "SIZE 256",
                 "SIZE 9999",
                 "\"ABC\"",
                 "\"A\"B\"",
                 "\"\x82\xA4\xBF@ \"",
                 "\"ABCDEFGHIJKLMNO\"",
                 "XROM 00,00",
                 "XROM 31,63",
                 "XROM 0x96",
                 "ASSIGN \"\" TO 05"};
  for (const tables::FixedOp& op : tables::FixedOps())
    if (op.name != ".END.") lines.emplace_back(op.name);  // the bytes of END
  for (const tables::ModOp& op : tables::ModOps()) {
    const std::string name(op.name);
    if (name == "SIZE") continue;  // its numbers up to 9999 are above
    const bool key = name.starts_with("KEY");
    const size_t nameRoom = 15 - op.direct.name.lead.size() - (key || name == "ASSIGN");
    Lines operands;
    const auto add = [&](bool exists, const Lines& texts) {
      if (exists) operands.insert(operands.end(), texts.begin(), texts.end());
    };
    add(op.direct.number.exists || op.direct.shortNumber.exists, DirectNumbers(op));
    add(op.direct.stack.exists, {"ST T", "ST Z", "ST Y", "ST X", "ST L"});
    add(op.direct.name.exists, {"\"AB\"", "\"\x85\xA0\x98\x7E\"", '"' + std::string(nameRoom, 'N') + '"'});
    add(op.direct.name.lead.size() == 2, {"\"\""});  // the wide forms take an empty name
    add(op.indirect.number.exists, {"IND 00", "IND 15", "IND 99", "IND 100", "IND 127"});
    add(op.indirect.stack.exists, {"IND ST T", "IND ST X", "IND ST L"});
    add(op.indirect.name.exists, {"IND \"X\""});
    // ASSIGN and KEY take a key number too, at both ends of its range.
    Lines heads = {name + " "}, tails = {""};
    if (name == "ASSIGN") tails = {" TO 01", " TO 18"};
    if (key) heads = {"KEY 1" + name.substr(3) + " ", "KEY 9" + name.substr(3) + " "};
    for (const std::string& operand : operands)
      for (const std::string& head : heads)
        for (const std::string& tail : tails) lines.push_back(head + operand + tail);
  }
  // Written, as program text is, with the calculator's names.
  for (std::string& line : lines) text::UseCalculatorName(line);
  return lines;
}

// Each instruction alone, then all as one program, where each one is decoded
// with the bytes of the next ones following it.
TEST(RoundTrip, EveryInstruction) {
  Lines program = EveryInstruction();
  for (const std::string& line : program) {
    const encoder::AssembledLine assembled = encoder::AssembleLine(line);
    ASSERT_FALSE(assembled.failed()) << line << ": " << encoder::HexRow(assembled);
    EXPECT_EQ(programtext::ProgramLines(decoder::Decode(assembled.bytes)), Lines{line})
        << "hex: " << encoder::HexRow(assembled);
  }
  program.push_back("END");
  const encoder::Assembly assembly = encoder::Assemble(program);
  ASSERT_EQ(assembly.failureCount(), 0u);
  const std::vector<std::uint8_t> bytes = assembly.Bytes();
  EXPECT_EQ(programtext::ProgramLines(decoder::Decode(bytes)), program);
}

}  // namespace
}  // namespace orrikey
