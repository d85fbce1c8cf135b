// Program text through the encoder and back through the decoder: every
// instruction of both tables, in every argument form its template allows,
// comes back as the same text and encodes again to the same bytes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/HTC.h"
#include "encoder/Encoder.h"
#include "files/HexText.h"
#include "tables/Tables.h"

namespace orrikey {
namespace {

using Lines = std::vector<std::string>;

const std::string kStackOperands[] = {"ST T", "ST Z", "ST Y", "ST X", "ST L"};
const std::string kLocalLabels[] = {"A", "B", "J", "a", "e"};

bool Allowed(std::string_view slot) { return slot.find_first_not_of('F') != std::string_view::npos; }

// The operands that a template allows, as the program text writes them.
Lines OperandsOf(std::string_view name, std::string_view templ) {
  const auto slot = [&](size_t position, size_t length) { return templ.substr(position - 1, length); };
  Lines operands;
  if (name == "SIZE") return {"1", "25", "256", "9999"};
  if (templ.size() == 52) {
    operands = {"00", "09", "10", "11"};  // FIX, SCI and ENG
  } else if (Allowed(slot(39, 6))) {
    const bool shortLimit14 = name == "GTO" || name == "LBL";
    for (const char* number : {"00", "07", shortLimit14 ? "14" : "15"}) operands.push_back(number);
  }
  if (Allowed(slot(33, 6))) {
    for (const char* number : {"15", "16", "99"}) operands.push_back(number);
    if (name == "GTO" || name == "XEQ" || name == "LBL" || name.starts_with("KEY"))
      operands.insert(operands.end(), std::begin(kLocalLabels), std::end(kLocalLabels));
  }
  if (Allowed(slot(27, 6)))
    operands.insert(operands.end(), std::begin(kStackOperands), std::end(kStackOperands));
  if (Allowed(slot(11, 6))) operands.insert(operands.end(), {"IND 00", "IND 15", "IND 99"});
  if (Allowed(slot(5, 6)))
    for (const std::string& stack : kStackOperands) operands.push_back("IND " + stack);
  const bool keyOrAssign = name.starts_with("KEY") || name == "ASSIGN";
  if (slot(25, 2) != "FF") {
    operands.push_back("\"AB\"");
    operands.push_back("\"\x85\xA0\x98\x7E\"");  // glyphs that map to calculator codes
    operands.push_back(keyOrAssign ? "\"ABCDEFGHIJKLM\"" : "\"ABCDEFGHIJKLMN\"");
  }
  if (slot(3, 2) != "FF") operands.push_back("IND \"X\"");
  return operands;
}

Lines EveryInstruction() {
  Lines lines = {"0", "1.5", "-12.25\x98-3", "007", "1\x98" "999", "\"ABC\"", "\"A\"B\"",
                 "\"\x82\xA4\xBF@ \"", "\"ABCDEFGHIJKLMNO\"", "\"\""};
  for (std::string_view row : tables::FixedOpTxt()) {
    const std::string_view name = row.substr(0, row.find(','));
    if (name != ".END.") lines.emplace_back(name);  // the bytes of END
  }
  for (std::string_view row : tables::ModOpTxt()) {
    const size_t comma = row.find(',');
    std::string name(row.substr(0, comma));
    for (const std::string& operand : OperandsOf(name, row.substr(comma + 1))) {
      if (name == "ASSIGN") {
        for (const char* key : {" TO 01", " TO 09", " TO 10", " TO 18"})
          lines.push_back("ASSIGN " + operand + key);
      } else if (name.starts_with("KEY")) {
        for (char key : {'1', '9'})
          lines.push_back("KEY " + std::string(1, key) + name.substr(3) + " " + operand);
      } else {
        lines.push_back(name + " " + operand);
      }
    }
  }
  return lines;
}

std::string Encode(const Lines& lines) {
  const auto conversion = MakeHexCode(lines);
  EXPECT_TRUE(conversion && conversion->infoLines.empty());
  return conversion ? GetHexString(conversion->hexLines, false) : "";
}

TEST(RoundTrip, EveryInstructionAlone) {
  const Lines lines = EveryInstruction();
  EXPECT_GT(lines.size(), 500u);
  for (const std::string& line : lines) {
    const std::string hex = EncodeLine(CleanLine(line));
    ASSERT_FALSE(hex.starts_with(kErrorMarker)) << line << ": " << hex;
    EXPECT_EQ(HTC::HexToCode(hex).lines, Lines{line}) << "hex: " << hex;
  }
}

// One program of them all: every instruction is decoded with the bytes of the
// next ones following it.
TEST(RoundTrip, EveryInstructionInOneProgram) {
  Lines program = EveryInstruction();
  program.push_back("END");
  const std::string hex = Encode(program);
  const HTC::DecodeResult decoded = HTC::HexToCode(hex);
  EXPECT_EQ(decoded.info, "");
  EXPECT_EQ(decoded.lines, program);
  EXPECT_EQ(Encode(decoded.lines), hex);
}

}  // namespace
}  // namespace orrikey
