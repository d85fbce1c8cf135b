// Real programs written by calculator users: every raw file is decoded and
// its lines encoded again. The test counts how many come back byte for byte
// and why the others do not, and fails when those counts change.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <span>

#include "decoder/Reader.h"
#include "encoder/Encoder.h"
#include "files/RawFile.h"
#include "programtext/Codes.h"
#include "text/Hex.h"

namespace orrikey {
namespace {

namespace fs = std::filesystem;
using Counts = std::map<std::string, int>;

const std::string kIdentical = "identical";
const std::string kLabelChain = "global label stored as CA 00, encoded again as C0 00";
const std::string kJumpDistance = "jump distance cached in GTO or XEQ, encoded again as 0";
const std::string kStop = "stops at bytes: ";

// Why a line's bytes differ from the ones it was decoded from.
std::string DifferenceReason(std::string_view line, std::string_view original, std::string_view again) {
  if (original.starts_with("CA00") && again.starts_with("C000")) return kLabelChain;
  const bool gotoOrXeq = line.starts_with("GTO ") || line.starts_with("XEQ ");
  if (gotoOrXeq && std::string_view("BDE").find(original[0]) != std::string_view::npos) return kJumpDistance;
  return "other difference: " + std::string(original) + " -> " + std::string(again);
}

// The reasons why one program does not come back byte for byte; kIdentical
// alone when it does.
std::set<std::string> Examine(const std::string& file) {
  const std::span<const std::uint8_t> bytes = decoder::AsBytes(file);
  const decoder::Decoded decoded = decoder::Decode(bytes);
  std::set<std::string> reasons;
  for (const decoder::Instruction& line : decoded.lines) {
    const std::string text = programtext::CodesOf(line);
    // Each line must read alike on its own, without the bytes around it.
    const decoder::Decoded alone = decoder::Decode(bytes.subspan(line.offset, line.size));
    if (alone.lines.size() != 1 || programtext::CodesOf(alone.lines[0]) != text)
      return {"reads otherwise alone: " + text};
    const encoder::AssembledLine assembled = encoder::AssembleLine(text);
    if (assembled.failed()) return {"does not encode: " + text};
    const std::string again = encoder::HexRow(assembled);
    const std::string original = text::WriteHex(bytes.subspan(line.offset, line.size));
    if (again != original) reasons.insert(DifferenceReason(text, original, again));
  }
  if (decoded.stop) {
    const size_t at = decoded.stop->offset;
    const size_t count = std::min<size_t>(2, bytes.size() - at);
    reasons.insert(kStop + text::WriteHex(bytes.subspan(at, count)));
  }
  if (reasons.empty()) reasons.insert(kIdentical);
  return reasons;
}

// Prints every program that does not come back and the reason.
Counts ExamineFolder(const fs::path& folder) {
  Counts counts;
  for (const auto& entry : fs::directory_iterator(folder)) {
    for (const std::string& reason : Examine(files::ReadRawFile(entry.path().string()))) {
      ++counts[reason];
      if (reason != kIdentical)
        std::cout << "  " << entry.path().filename().string() << ": " << reason << "\n";
    }
  }
  return counts;
}

TEST(Corpus, HP42SProgramsComeBack) {
  const fs::path folder = fs::path(ORRIKEY_CORPUS_DIR) / "raw";
  if (!fs::is_directory(folder)) GTEST_SKIP() << "no corpus at " << ORRIKEY_CORPUS_DIR;
  // Every program decodes whole. Those that do not come back byte for byte
  // hold bytes that calculators cache or that the program text shares.
  const Counts expected = {{kIdentical, 145}, {kLabelChain, 5}, {kJumpDistance, 2}};
  EXPECT_EQ(ExamineFolder(folder), expected);
}

}  // namespace
}  // namespace orrikey
