#pragma once

// The ASCII spellings of the calculator's glyphs: how listings, encode and
// typed program text may write what program text writes with a glyph, and
// how completion finds a glyph's name from its spelling ("X<" reaches "X≤Y?").

#include <array>
#include <string_view>

namespace orrikey::listing {

struct Spelling {
  std::string_view ascii;
  std::string_view programText;  // display codes
};

// Outside quoted texts, tried in this order at every position. "SUM" alone
// is the matrix instruction, and "RSUM" one too, so only the names that hold
// Σ take "SUM" for it; "#" means "≠" only in the comparisons.
inline constexpr std::array<Spelling, 18> kSpellings = {{
    {"->", "\xAF"},
    {"<-", "\xB0"},
    {"<=", "\x89"},
    {">=", "\x8A"},
    {"!=", "\x8B"},
    {"|-", "\x9F"},
    {"SIGMA", "\x85"},
    {"SUM+", "\x85+"},
    {"SUM-", "\x85-"},
    {"SUMREG", "\x85REG"},
    {"CLSUM", "CL\x85"},
    {"PRSUM", "PR\x85"},
    {"ALLSUM", "ALL\x85"},
    {"LINSUM", "LIN\x85"},
    {"X#0?", "X\x8B"
             "0?"},
    {"X#Y?", "X\x8BY?"},
    {"X#?", "X\x8B?"},
    {"0#?", "0\x8B?"},
}};

// Names spelled with ASCII "*" and "/" for the multiplication and division
// signs; only as a whole name, so that "1/X" stays itself.
inline constexpr std::array<Spelling, 8> kNameSpellings = {{
    {"*", "x"},
    {"/", "\xA0"},
    {"STO*", "STOx"},
    {"STO/", "STO\xA0"},
    {"RCL*", "RCLx"},
    {"RCL/", "RCL\xA0"},
    {"BASE*", "BASEx"},
    {"BASE/", "BASE\xA0"},
}};

}  // namespace orrikey::listing
