#include "document/OpenProgram.h"

#include <gtest/gtest.h>

#include "decoder/Reader.h"
#include "document/TypedLine.h"
#include "files/FileIO.h"
#include "listing/ListingWriter.h"
#include "programtext/Codes.h"
#include "programtext/Utf8.h"
#include "text/CodePage.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orrikey::document {
namespace {

// A line means the same typed as program text or in a listing's spelling;
// what fails both ways keeps its own failure.
TEST(ReadTypedLineTest, ReadsListingSpellingsAsTheirInstructions) {
  const struct {
    std::string_view typed;    // display codes
    std::string_view spelled;  // empty: reads as it stands, or fails
    std::optional<encoder::EncodeError> error;
  } rows[] = {
      {"CLX", "", {}},
      {"STO\xA0 05", "", {}},
      {"X<=Y?", "X\x89Y?", {}},
      {"X#0?",
       "X\x8B"
       "0?",
       {}},
      {"1E3",
       "1\x98"
       "3",
       {}},
      {"-2.5e-7", "-2.5\x98-7", {}},
      {"2,7", "2.7", {}},
      {"STO* 05", "STO\x82 05", {}},
      {"RCL\x82 05", "", {}},
      {"RCLx 05", "", {}},
      {"DATE_PLUS", "", {}},
      {"SIGMA+", "\x85+", {}},
      {"SF 5", "SF 05", {}},
      {"RCL IND 3", "RCL IND 03", {}},
      {"01 CLX", "CLX", {}},
      {"FOO 5", "", encoder::EncodeError::kOpcode},
      {"\x05+", "", encoder::EncodeError::kChar},
  };
  for (const auto& row : rows) {
    const TypedLine read = ReadTypedLine(row.typed);
    EXPECT_EQ(read.spelled, row.spelled) << row.typed;
    EXPECT_EQ(read.assembled.error, row.error) << row.typed;
    if (row.error) continue;
    const std::string_view canonical = row.spelled.empty() ? row.typed : row.spelled;
    const encoder::AssembledLine expected = encoder::AssembleLine(canonical);
    EXPECT_TRUE(std::ranges::equal(read.assembled.bytes, expected.bytes)) << row.typed;
  }
}

TEST(ReadProgramTextTest, ReadsEveryForm) {
  const struct {
    std::string_view bytes;
    FileForm form;
    std::string text;  // display codes
    std::vector<size_t> fileLines;
  } rows[] = {
      {"LBL \"A\" @ start\n\nX\xE2\x89\xA4Y?\n",
       FileForm::kProgramText,
       "LBL \"A\" @ start\r\n\r\nX\x89Y?\r\n",
       {1, 2, 3}},
      // Program text may use a listing's ASCII spellings, and stays as written.
      {"X#0?\n1E3\nSTO* 05\n", FileForm::kProgramText, "X#0?\r\n1E3\r\nSTO* 05\r\n", {1, 2, 3}},
      // Comment lines of a listing's own kind make it a listing.
      {"# mine\nX#0?\n",
       FileForm::kListing,
       "X\x8B"
       "0?",
       {2}},
      // A typo is no reason to drop the user's comments and blank lines.
      {"SIN @ x\n\nXYZZY\n", FileForm::kProgramText, "SIN @ x\r\n\r\nXYZZY\r\n", {1, 2, 3}},
      {"\xEF\xBB\xBF"
       "00 { 3-Byte Prgm }\r\n01 CLX\r\n\r\n@ clear\r02 END",
       FileForm::kListing,
       "CLX\r\nEND",
       {2, 5}},
      {"STO\xA0 05\r\n", FileForm::kEightBitText, "STO\xA0 05\r\n", {1}},
  };
  for (const auto& row : rows) {
    const OpenedProgram opened = ReadProgramText(row.bytes);
    EXPECT_EQ(opened.form, row.form) << row.bytes;
    EXPECT_EQ(opened.text, row.text) << row.bytes;
    std::vector<size_t> fileLines;
    for (const encoder::Assembly::Line& line : opened.assembly.lines()) fileLines.push_back(line.sourceLine);
    EXPECT_EQ(fileLines, row.fileLines) << row.bytes;
  }
}

TEST(ReadRawProgramTest, EndsAtBytesCutOffWithTheirMessage) {
  const OpenedProgram opened = ReadRawProgram(std::string_view("\x77\xC0\x00", 3));
  EXPECT_EQ(opened.text, "CLX\r\nError in Hex Code");
  EXPECT_EQ(opened.decodeError, "Error in Hex Code - Around Line: 2");
  EXPECT_EQ(opened.assembly.Bytes(), std::vector<std::uint8_t>{0x77});
  EXPECT_EQ(opened.assembly.FailedLines(), std::vector<size_t>{1});
}

// The jump offset the calculator filled into a short GTO stays, so that a
// raw file saved unchanged is the same file.
TEST(ReadRawProgramTest, KeepsTheFilesOwnBytes) {
  const OpenedProgram opened = ReadRawProgram(std::string_view("\xB3\x05\x77", 3));
  EXPECT_EQ(opened.text, "GTO 02\r\nCLX");
  EXPECT_EQ(opened.assembly.Bytes(), (std::vector<std::uint8_t>{0xB3, 0x05, 0x77}));
}

// Raw by name, by content when the name says nothing, else program text.
TEST(OpenProgramTest, TakesTheFormFromTheNameThenTheContent) {
  const struct {
    std::string name, bytes;
    FileForm form;
  } rows[] = {{"a.raw", "SIN", FileForm::kRaw},
              {"a.prg", std::string("\xC0\x00\x0D", 3), FileForm::kRaw},
              {"a.txt", "SIN\nEND", FileForm::kProgramText}};
  for (const auto& row : rows) {
    const std::string path = testing::TempDir() + "orrikey-open-" + row.name;
    files::WriteWholeFile(path, row.bytes);
    EXPECT_EQ(OpenProgram(path).form, row.form) << row.name;
    std::remove(path.c_str());
  }
}

// Every calculator code in each place a text holds it (after a text's first
// character, in a name, after the append sign) comes back from every form
// the program is written in; the program is repeated, so that the decoder
// reads most lines as ones it has read before.
TEST(RoundTripTest, KeepsEveryCodeOfATextInEveryForm) {
  std::string program;
  for (unsigned code = 0; code < 256; ++code)
    for (const char lead : {'A', '\x91', '\x7F'}) program += {'\xF2', lead, static_cast<char>(code)};
  program += std::string("\xC0\x00\x0D", 3);
  std::string raw;
  for (int copy = 0; copy < 6; ++copy) raw += program;
  const std::vector<std::uint8_t> bytes(raw.begin(), raw.end());

  const std::string eightBit = ReadRawProgram(raw).text;
  std::string utf8, textFormat;
  text::AppendDisplayCodesUtf8(utf8, eightBit);
  // As the command line and the page write decoded program text.
  const decoder::Decoded decoded = decoder::Decode(bytes);
  for (const decoder::Instruction& line : decoded.lines) {
    programtext::AppendUtf8(textFormat, line);
    textFormat += '\n';
  }
  const struct {
    std::string_view form;
    std::string text;
  } rows[] = {{"8-bit program text", eightBit},
              {"UTF-8 program text", utf8},
              {"decoded text", textFormat},
              {"listing", listing::WriteListingOf(decoded)}};
  for (const auto& row : rows) {
    const OpenedProgram opened = ReadProgramText(row.text);
    EXPECT_TRUE(opened.refused.empty()) << row.form;
    EXPECT_EQ(opened.assembly.failureCount(), 0u) << row.form;
    EXPECT_EQ(opened.assembly.Bytes(), bytes) << row.form;
  }
}

}  // namespace
}  // namespace orrikey::document
