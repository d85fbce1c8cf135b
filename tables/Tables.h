#pragma once

// The instruction set and character data, built into the program from the
// data files of this folder. Rows come back exactly as the files hold them,
// in file order; every lookup walks them from the first row and takes the
// first exact match.

#include <array>
#include <span>
#include <string_view>

namespace orrikey::tables {

// Instructions without an operand, rows "NAME,HEX".
std::span<const std::string_view> FixedOpTxt();

// Instructions with an operand, rows "NAME,template".
std::span<const std::string_view> ModOpTxt();

// Rows "calculator code,display code" for the calculator codes 0 to 31.
std::span<const std::string_view> CharMapRows();

// The display code of each calculator code 0 to 31, read from CharMapRows().
std::array<unsigned char, 32> CharMap();

}  // namespace orrikey::tables
