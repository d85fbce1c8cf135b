#pragma once

// Rows of hex text -> the program lines its bytes decode to.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/Decode.h"
#include "text/Hex.h"

namespace orrikey::testing {

inline const std::string kErrorLine(decoder::kErrorLine);

inline decoder::Decoded DecodeHex(std::string_view hex) {
  return decoder::Decode(text::ParseHex(hex).bytes);
}

struct DecodeRow {
  std::string hex;
  std::vector<std::string> lines;
};

// A row whose last line is the error line must also report where it stopped,
// with the right line number; any other row must decode to its end.
inline void ExpectDecodes(const std::vector<DecodeRow>& rows) {
  for (const DecodeRow& row : rows) {
    const decoder::Decoded decoded = DecodeHex(row.hex);
    EXPECT_EQ(decoder::ProgramText(decoded), row.lines) << "hex: " << row.hex;
    const bool failed = !row.lines.empty() && row.lines.back() == kErrorLine;
    const std::string message =
        failed ? kErrorLine + " - Around Line: " + std::to_string(row.lines.size()) : "";
    EXPECT_EQ(decoder::StopMessage(decoded.stop), message) << "hex: " << row.hex;
  }
}

}  // namespace orrikey::testing
