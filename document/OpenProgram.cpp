#include "document/OpenProgram.h"

#include "files/FileIO.h"

namespace orrikey::document {

OpenedProgram OpenProgram(const std::string& path, OpenAs as) {
  return ReadProgramFile(path, files::ReadWholeFile(path), as);
}

}  // namespace orrikey::document
