// Real programs written by calculator users: every raw file is decoded and
// its lines encoded again. The test prints how many come back byte for byte
// and why the others do not, and fails when those counts change.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>

#include "decoder/HTC.h"
#include "encoder/Encoder.h"
#include "files/HexText.h"
#include "files/RawFile.h"

namespace orrikey {
namespace {

namespace fs = std::filesystem;
using Counts = std::map<std::string, int>;

const std::string kIdentical = "identical";
const std::string kLabelChain = "global label stored as CA 00, encoded again as C0 00";
const std::string kJumpDistance = "jump distance cached in GTO or XEQ, encoded again as 0";
const std::string kCode20 = "character code 20, encoded again as code 4";
const std::string kStop = "stops at bytes outside the tables: ";

// Why a line's bytes differ from the ones it was decoded from.
std::string DifferenceReason(std::string_view line, std::string_view original,
                             std::string_view again) {
  if (original.starts_with("CA00") && again.starts_with("C000")) return kLabelChain;
  const bool gotoOrXeq = line.starts_with("GTO ") || line.starts_with("XEQ ");
  if (gotoOrXeq && std::string_view("BDE").find(original[0]) != std::string_view::npos)
    return kJumpDistance;
  for (size_t at = 0; at + 1 < original.size(); at += 2)
    if (original.substr(at, 2) != again.substr(at, 2))
      return original.substr(at, 2) == "14" && again.substr(at, 2) == "04"
                 ? kCode20
                 : "other difference: " + std::string(original) + " -> " + std::string(again);
  return "other difference: " + std::string(original) + " -> " + std::string(again);
}

// The reasons why one program does not come back byte for byte, in the
// order met; kIdentical alone when it does.
std::vector<std::string> Examine(const std::string& bytes, std::string& detail) {
  const std::string hex = BytesToHex(bytes);
  HTC::DecodeResult decoded;
  try {
    decoded = HTC::HexToCode(hex);
  } catch (const std::runtime_error& error) {
    detail = error.what();
    return {"conversion error"};
  }
  std::vector<std::string> lines = decoded.lines;
  const bool stopped = !decoded.info.empty();
  if (stopped) lines.pop_back();

  std::vector<std::string> reasons;
  auto note = [&](const std::string& reason) {
    if (std::find(reasons.begin(), reasons.end(), reason) == reasons.end()) reasons.push_back(reason);
  };
  size_t at = 0;  // where the current line's bytes start in the hex text
  for (const std::string& line : lines) {
    const std::string again = EncodeLine(CleanLine(line));
    if (again.starts_with(kErrorMarker)) {
      note("does not encode: " + line);
      detail += "[" + line + "] ";
      at = std::string::npos;
      break;
    }
    if (hex.compare(at, again.size(), again) != 0)
      note(DifferenceReason(line, std::string_view(hex).substr(at, again.size()), again));
    at += again.size();
  }
  if (stopped) {
    const std::string next = at == std::string::npos ? "?" : hex.substr(at, 4);
    note(kStop + next);
    detail += decoded.info;
  } else if (at != std::string::npos && at != hex.size()) {
    note("length differs");
  }
  if (reasons.empty()) reasons.push_back(kIdentical);
  return reasons;
}

Counts ExamineFolder(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  Counts counts;
  for (const fs::path& file : files) {
    std::string detail;
    const std::vector<std::string> reasons = Examine(ReadRawFile(file.string()), detail);
    for (const std::string& reason : reasons) ++counts[reason];
    if (reasons.front() != kIdentical) {
      std::cout << "  " << file.filename().string() << ":";
      for (const std::string& reason : reasons) std::cout << " {" << reason << "}";
      std::cout << " " << detail << "\n";
    }
  }
  std::cout << folder.filename().string() << ": " << files.size() << " files\n";
  for (const auto& [reason, count] : counts) std::cout << "  " << count << "  " << reason << "\n";
  return counts;
}

fs::path CorpusFolder(const char* name) {
  const fs::path folder = fs::path(ORRIKEY_CORPUS_DIR) / name;
  return fs::is_directory(folder) ? folder : fs::path();
}

TEST(Corpus, HP42SProgramsComeBack) {
  const fs::path folder = CorpusFolder("raw");
  if (folder.empty()) GTEST_SKIP() << "no corpus at " << ORRIKEY_CORPUS_DIR;
  const Counts expected = {
      {kIdentical, 95},
      {kLabelChain, 5},
      {kCode20, 2},
      {kJumpDistance, 2},
      {kStop + "A271", 3},  // instructions that Free42 and the DM42 add
      {kStop + "A7D3", 4},
      {kStop + "A7D6", 1},
      {kStop + "F2A1", 2},
      {kStop + "F2C7", 5},
      {kStop + "F2E0", 31},
      {kStop + "F5A7", 2},
      {kStop + "F5C7", 2},
  };
  EXPECT_EQ(ExamineFolder(folder), expected);
}

// HP-41 programs are not HP-42S programs: they need only decode without harm.
TEST(Corpus, HP41ProgramsDecodeWithoutHarm) {
  const fs::path folder = CorpusFolder("raw_hp41");
  if (folder.empty()) GTEST_SKIP() << "no corpus at " << ORRIKEY_CORPUS_DIR;
  const Counts counts = ExamineFolder(folder);
  EXPECT_EQ(counts.count(kIdentical), 0u);
  EXPECT_EQ(counts.count("conversion error"), 0u);
}

}  // namespace
}  // namespace orrikey
