// What the decoder gives for an instruction's bytes: its kind, row and
// operand as values, without text. The readers that ask what a line's
// operand names (needs, labels) read these.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/Reader.h"
#include "text/Hex.h"

namespace orrikey {
namespace {

using decoder::Kind, decoder::ValueKind;

struct ValuesRow {
  std::string hex;
  Kind kind;
  std::string row;  // the table row's name, or empty
  ValueKind value = ValueKind::kNone;
  unsigned number = 0;
  bool indirect = false;
  unsigned key = 0;
  std::string operandHex;  // the operand's bytes
};

class DecodesValues : public testing::TestWithParam<ValuesRow> {};

TEST_P(DecodesValues, AsTheCalculatorReadsThem) {
  const ValuesRow& row = GetParam();
  const std::vector<std::uint8_t> bytes = text::ParseHex(row.hex).bytes;
  const decoder::Decoded decoded = decoder::Decode(bytes);
  ASSERT_FALSE(decoded.stop);
  ASSERT_EQ(decoded.lines.size(), 1u);
  const decoder::Instruction& line = decoded.lines[0];
  EXPECT_EQ(line.kind, row.kind);
  const std::string_view name = line.fixedOp ? line.fixedOp->name : line.modOp ? line.modOp->name : "";
  EXPECT_EQ(name, row.row);
  EXPECT_EQ(line.operand.kind, row.value);
  if (row.value != ValueKind::kNone && row.value != ValueKind::kName)
    EXPECT_EQ(line.operand.value, row.number);
  EXPECT_EQ(line.operand.indirect, row.indirect);
  EXPECT_EQ(line.operand.key, row.key);
  EXPECT_EQ(text::WriteHex(line.operand.bytes), row.operandHex);
  EXPECT_EQ(line.size, bytes.size());
}

INSTANTIATE_TEST_SUITE_P(
    Decoder, DecodesValues,
    testing::Values(ValuesRow{"9105", Kind::kOperand, "STO", ValueKind::kRegister, 5},
                    ValuesRow{"90F4", Kind::kOperand, "RCL", ValueKind::kStack, 0x74, true},
                    // A byte no form of INPUT takes reads as any operand, IND by its top bit.
                    ValuesRow{"F2D086", Kind::kOperand, "INPUT", ValueKind::kRegister, 6, true},
                    // The cached jump distance is no part of the label.
                    ValuesRow{"D41283", Kind::kOperand, "GTO", ValueKind::kLabel, 3},
                    ValuesRow{"B400", Kind::kOperand, "GTO", ValueKind::kRegister, 3},
                    ValuesRow{"0F", Kind::kOperand, "LBL", ValueKind::kRegister, 14},
                    ValuesRow{"CF66", Kind::kOperand, "LBL", ValueKind::kLabel, 0x66},
                    ValuesRow{"C000F400414243", Kind::kOperand, "LBL", ValueKind::kName, 0, false, 0,
                              "414243"},
                    ValuesRow{"F2AF50", Kind::kOperand, "XEQ", ValueKind::kName, 0, true, 0, "50"},
                    ValuesRow{"F3E20163", Kind::kOperand, "KEY XEQ", ValueKind::kLabel, 99, false, 1},
                    ValuesRow{"F3E303F1", Kind::kOperand, "KEY GTO", ValueKind::kStack, 0x71, true, 3},
                    ValuesRow{"F4CA024142", Kind::kOperand, "KEY XEQ", ValueKind::kName, 0, true, 2, "4142"},
                    // ASSIGN's key byte counts from 0.
                    ValuesRow{"F4C0464E04", Kind::kOperand, "ASSIGN", ValueKind::kName, 0, false, 5, "464E"},
                    ValuesRow{"F3F70100", Kind::kOperand, "SIZE", ValueKind::kNumber, 256},
                    ValuesRow{"F1E5", Kind::kOperand, "FIX", ValueKind::kNumber, 11},
                    // The terminator ends the number but is none of its digits.
                    ValuesRow{"111A1B1C1200", Kind::kNumber, "", ValueKind::kNone, 0, false, 0, "111A1B1C12"},
                    ValuesRow{"F24142", Kind::kText, "", ValueKind::kNone, 0, false, 0, "4142"},
                    // A key byte other than 1 to 9 makes the whole sequence a text.
                    ValuesRow{"F3C20A41", Kind::kText, "", ValueKind::kNone, 0, false, 0, "C20A41"},
                    ValuesRow{"F2C31A", Kind::kUnnamed, "", ValueKind::kNone, 0, false, 0, "C31A"}));

TEST(Decoder, XromLinesHoldTheirModuleAndFunction) {
  const std::vector<std::uint8_t> bytes = text::ParseHex("A5C7").bytes;
  const decoder::Decoded decoded = decoder::Decode(bytes);
  ASSERT_EQ(decoded.lines.size(), 1u);
  EXPECT_EQ(decoded.lines[0].kind, Kind::kXrom);
  EXPECT_EQ(decoded.lines[0].xromModule, 23u);  // 5 * 4 + 3
  EXPECT_EQ(decoded.lines[0].xromFunction, 7u);
}

}  // namespace
}  // namespace orrikey
