#pragma once

// UTF-8 as listings are shared, read strictly: a text that is not valid
// UTF-8 is not guessed at, so that the caller can read it another way.

#include <optional>
#include <string>
#include <string_view>

namespace orrikey::text {

// The characters of the text; nothing when it is not valid UTF-8 (overlong
// forms, surrogates and code points above U+10FFFF included).
std::optional<std::u32string> DecodeUtf8(std::string_view bytes);
bool IsUtf8(std::string_view bytes);

void AppendUtf8(std::string& out, char32_t c);

// "✓ (U+2713)", to name a character in a message.
std::string NameCharacter(char32_t c);

}  // namespace orrikey::text
