#include "files/FileIO.h"
#include "files/ProgramText.h"

namespace orrikey::files {

void WriteProgramTextFile(const std::string& path, std::string_view text) { WriteWholeFile(path, text); }

}  // namespace orrikey::files
