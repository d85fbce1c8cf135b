#pragma once

// Program text in the 8-bit form: single-byte display codes, as the panes
// hold it and ".42S" files store it, with CR LF between lines.

#include <string>
#include <string_view>
#include <vector>

namespace orrikey::programtext {

// The text as the pane takes it: every lone CR and every lone LF becomes
// CR LF (CR LF pairs stay); every other byte stays as it is.
std::string NormaliseLineBreaks(std::string_view bytes);

// The pane's lines: the text split at CR LF, lone CR and lone LF. A final
// line break ends the last line and starts no new one; an empty text has no
// lines.
std::vector<std::string> SplitLines(std::string_view text);

// The lines joined by CR LF, with no line break after the last.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace orrikey::programtext
