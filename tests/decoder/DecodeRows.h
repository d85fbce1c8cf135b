#pragma once

// Rows of hex text -> the program lines it decodes to.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/HTC.h"

namespace orrikey::testing {

inline const std::string kErrorLine = "Error in Hex Code";

struct DecodeRow {
  std::string hex;
  std::vector<std::string> lines;
};

// A row whose last line is the error line must also report it in the INFO
// text with the right line number; any other row must report nothing.
inline void ExpectDecodes(const std::vector<DecodeRow>& rows) {
  for (const DecodeRow& row : rows) {
    const HTC::DecodeResult result = HTC::HexToCode(row.hex);
    EXPECT_EQ(result.lines, row.lines) << "hex: " << row.hex;
    const bool failed = !row.lines.empty() && row.lines.back() == kErrorLine;
    const std::string info =
        failed ? kErrorLine + " - Around Line: " + std::to_string(row.lines.size()) : "";
    EXPECT_EQ(result.info, info) << "hex: " << row.hex;
  }
}

}  // namespace orrikey::testing
