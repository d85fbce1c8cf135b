#pragma once

// A client counts a line's columns in UTF-8 bytes or UTF-16 code units; the
// editing model counts characters, each one display code. These convert
// between the three on the line's UTF-8 text.

#include <cstddef>
#include <string_view>

namespace orrikey::lsp {

enum class Encoding { kUtf8, kUtf16 };

// The byte where the client's column falls: the line's end for a column past
// it, the next character for one inside a character.
size_t ByteAt(std::string_view line, size_t column, Encoding encoding);
// The client's column of a byte at a character's start.
size_t ColumnAt(std::string_view line, size_t byte, Encoding encoding);

// The model's column of a byte, and the byte of a model column.
size_t CharacterAt(std::string_view line, size_t byte);
size_t ByteOfCharacter(std::string_view line, size_t character);

}  // namespace orrikey::lsp
