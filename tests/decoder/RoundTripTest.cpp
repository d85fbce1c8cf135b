// Program text through the encoder and back through the decoder: every
// instruction of both tables, in every argument form its template allows,
// comes back as the same text.

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

Lines EveryInstruction() {
  Lines lines = {"0", "1.5", "-12.25\x98-3", "007", "1\x98" "999", "SIZE 256", "SIZE 9999",
                 "\"ABC\"", "\"A\"B\"", "\"\x82\xA4\xBF@ \"", "\"ABCDEFGHIJKLMNO\"", "\"\""};
  for (std::string_view row : tables::FixedOpTxt()) {
    const std::string_view name = row.substr(0, row.find(','));
    if (name != ".END.") lines.emplace_back(name);  // the bytes of END
  }
  for (std::string_view row : tables::ModOpTxt()) {
    const size_t comma = row.find(',');
    const std::string name(row.substr(0, comma));
    if (name == "SIZE") continue;  // its numbers up to 9999 are above
    const std::string_view templ = row.substr(comma + 1);
    const bool key = name.starts_with("KEY");
    const bool labels = key || name == "GTO" || name == "XEQ" || name == "LBL";
    // The operands of each form whose template slot (offset, digits) is not all F. The
    // numbers cross the end of the short forms: 14 for LBL and GTO, 15 for the others.
    const struct {
      size_t at, digits;
      Lines operands;
    } forms[] = {
        {38, 6, templ.size() == 52 ? Lines{"00", "09", "10", "11"} : Lines{"00", "07", "14", "15"}},
        {32, 6, {"16", "99"}},
        {32, 6, labels ? Lines{"A", "J", "a", "e"} : Lines{}},
        {26, 6, {"ST T", "ST Z", "ST Y", "ST X", "ST L"}},
        {10, 6, {"IND 00", "IND 15", "IND 99"}},
        {4, 6, {"IND ST T", "IND ST Z", "IND ST Y", "IND ST X", "IND ST L"}},
        {24, 2, {"\"AB\"", "\"\x85\xA0\x98\x7E\"",  // glyphs of codes below 32
                 key || name == "ASSIGN" ? "\"ABCDEFGHIJKLM\"" : "\"ABCDEFGHIJKLMN\""}},
        {2, 2, {"IND \"X\""}},
    };
    // ASSIGN and KEY take a key number too, at both ends of its range.
    Lines heads = {name + " "}, tails = {""};
    if (name == "ASSIGN") tails = {" TO 01", " TO 18"};
    if (key) heads = {"KEY 1" + name.substr(3) + " ", "KEY 9" + name.substr(3) + " "};
    for (const auto& form : forms) {
      if (templ.substr(form.at, form.digits).find_first_not_of('F') == std::string_view::npos)
        continue;
      for (const std::string& operand : form.operands)
        for (const std::string& head : heads)
          for (const std::string& tail : tails) lines.push_back(head + operand + tail);
    }
  }
  return lines;
}

// Each instruction alone, then all as one program, where each one is decoded
// with the bytes of the next ones following it.
TEST(RoundTrip, EveryInstruction) {
  Lines program = EveryInstruction();
  EXPECT_GT(program.size(), 500u);
  for (const std::string& line : program) {
    const std::string hex = EncodeLine(CleanLine(line));
    ASSERT_FALSE(hex.starts_with(kErrorMarker)) << line << ": " << hex;
    EXPECT_EQ(HTC::HexToCode(hex).lines, Lines{line}) << "hex: " << hex;
  }
  program.push_back("END");
  const auto conversion = MakeHexCode(program);
  ASSERT_TRUE(conversion && conversion->infoLines.empty());
  const HTC::DecodeResult decoded = HTC::HexToCode(GetHexString(conversion->hexLines, false));
  EXPECT_EQ(decoded.info, "");
  EXPECT_EQ(decoded.lines, program);
}

}  // namespace
}  // namespace orrikey
