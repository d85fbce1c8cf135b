#pragma once

// The program text file (".42S"): the program-text pane's bytes as they
// stand, single-byte display codes, CR LF between lines, no header.

#include <string>
#include <string_view>
#include <vector>

namespace orrikey::files {

// The text as the pane takes it: every lone CR and every lone LF becomes
// CR LF (CR LF pairs stay); every other byte stays as it is.
std::string NormaliseProgramText(std::string_view bytes);

// The pane's lines: the text split at CR LF, lone CR and lone LF. A final
// line break ends the last line and starts no new one; an empty text has no
// lines.
std::vector<std::string> SplitLines(std::string_view text);

// The lines joined by CR LF, with no line break after the last.
std::string JoinLines(const std::vector<std::string>& lines);

// Throws std::runtime_error "Cannot open file "%s". %s" for program text that
// holds a NUL byte, naming its line.
void RefuseNulByte(const std::string& path, std::string_view bytes);

// Writes the text byte for byte as the file's whole content. The old file
// stays intact when the write fails. Throws std::runtime_error
// "Cannot create file "%s". %s".
void WriteProgramTextFile(const std::string& path, std::string_view text);

}  // namespace orrikey::files
