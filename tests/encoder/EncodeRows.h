#pragma once

// Rows of program line -> hex line, checked through the whole line encoder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoder/Encoder.h"

namespace orrikey::testing {

struct EncodeRow {
  std::string line;
  std::string hex;
};

inline void ExpectEncodes(const std::vector<EncodeRow>& rows) {
  for (const EncodeRow& row : rows)
    EXPECT_EQ(encoder::HexRow(encoder::AssembleLine(row.line)), row.hex) << "line: " << row.line;
}

}  // namespace orrikey::testing
