#pragma once

// orrikey-cli check and programs: what the labels of a file say, as text
// for standard output. A file that cannot be read is named on standard error.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orrikey::cli {

// Takes the report a chunk at a time as it is made, so that a report never
// grows with its file; false when it could not, which ends the run with the
// status of a file error.
using Print = std::function<bool(std::string_view text)>;

// "FILE:LINE:COLUMN: error: ..." for each line that does not convert,
// "...: warning: ..." for each label warning and "...: note: ..." for each
// note, in line order, as the editors show them. Notes alone leave the
// status clean.
int Check(const std::vector<std::string>& files, const Print& print);

// Each program of the file: its lines, size and steps, then its labels.
int ListPrograms(const std::string& file, const Print& print);

}  // namespace orrikey::cli
