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

// The calculator's own spellings of fixed instructions whose table name
// differs, rows "SPELLING,TABLE NAME"; the spelling may hold a comma, the
// table name never does.
std::span<const std::string_view> Aliases();

// Instructions with an operand, rows "NAME,template".
std::span<const std::string_view> ModOpTxt();

// Rows "calculator code,display code" for the calculator codes 0 to 31.
std::span<const std::string_view> CharMapRows();

// The display code of each calculator code 0 to 31, read from CharMapRows().
std::array<unsigned char, 32> CharMap();

// The help table: each instruction's key line followed by its one-line
// description (Windows-1252 text); a few descriptions run on to a second line.
std::span<const std::string_view> Commands();

// The instructions grouped by calculator menu: a header line "-NAME", the
// member lines, then "@"; five empty lines follow the last group. A member
// that ends in a blank awaits its operand.
std::span<const std::string_view> FixMenu();

// Program Tool picks whose shown text is only a label, rows "SHOWN,INSERTED":
// the text typed into the program instead.
std::span<const std::string_view> PickTexts();

// The calculator's flags with their state after a machine reset and after a
// memory clear, as tab-separated text lines for reading.
std::span<const std::string_view> FlagTable();

}  // namespace orrikey::tables
