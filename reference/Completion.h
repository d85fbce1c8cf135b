#pragma once

// What may be typed next on a program line, for the editor's completion list.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::reference {

struct Completions {
  size_t start = 0;  // where the word being typed begins
  // Sorted; each begins with that word, ASCII case aside, or is a name whose
  // ASCII spelling does ("X<" gives "X≤Y?").
  std::vector<std::string> words;
};

// `before` is the line before the caret, in display codes. The first word
// completes to instruction names and the calculator's own spellings; after a
// name, to the words the instruction's operand takes (IND, ST, TO) and the
// stack letters after ST; after an instruction that jumps to a label, to
// `labels` too. Nothing inside a text or a comment.
Completions CompletionsFor(std::string_view before, std::span<const std::string> labels);

}  // namespace orrikey::reference
