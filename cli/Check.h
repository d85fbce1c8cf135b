#pragma once

// orrikey-cli check and programs: what the labels of a file say, as text
// for standard output. A file that cannot be read is named on standard error.

#include <string>
#include <vector>

namespace orrikey::cli {

// "FILE:LINE: error: ..." for each line that does not convert and
// "FILE:LINE: warning: ..." (or "note: ...") for each label warning, in line
// order. Notes alone leave the status clean.
int Check(const std::vector<std::string>& files, std::string& out);

// Each program of the file: its lines, size and steps, then its labels.
int ListPrograms(const std::string& file, std::string& out);

}  // namespace orrikey::cli
