#pragma once

// Program text in UTF-8, as files, listings and the page write it: the
// calculator's names ("RCL×", "DATE+"), glyphs as Unicode, quoted texts with
// the calculator's escapes, the append sign right before its text.

#include <optional>
#include <string>
#include <string_view>

#include "decoder/Instruction.h"

namespace orrikey::programtext {

// Program text saved as UTF-8, one display code per character (a byte-order
// mark allowed), as display codes; nothing when the bytes are not UTF-8 or
// hold a character of no display code.
std::optional<std::string> ReadUtf8(std::string_view fileBytes);

// Appends a line given in display codes.
void AppendUtf8(std::string& out, std::string_view codes);
std::string Utf8Of(std::string_view codes);
// Which names a line is written with where the tables name an instruction
// otherwise: program text takes the calculator's names (RCL×, DATE+), a
// listing every spelling of the calculator's own (RDX, too).
enum class Naming { kProgramText, kListing };

// Appends a decoded instruction.
void AppendUtf8(std::string& out, const decoder::Instruction& instruction,
                Naming naming = Naming::kProgramText);

// Whether the line in display codes is written as it stands, so that a line
// already in place need not be written again.
bool StandsAsItIs(std::string_view codes);
// AppendUtf8 for a line that does not stand as it is and that starts with no
// name the calculator spells otherwise.
void SpellUtf8(std::string& out, std::string_view codes);

}  // namespace orrikey::programtext
