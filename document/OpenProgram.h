#pragma once

// The one reading of a program file, for the editor and the command line
// alike: whatever form the file has, it becomes program lines in display
// codes, with the form it had and what could not be read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "encoder/Assembly.h"
#include "listing/ListingReader.h"

namespace orrikey::document {

// The form a program file had; saving it again keeps the form.
enum class FileForm {
  kRaw,           // calculator bytes
  kEightBitText,  // program text in single-byte display codes
  kProgramText,   // program text in UTF-8, one character to one display code
  kListing,       // a listing as calculators copy and people share them: only read
};

// What an open command asks for: a raw file, program text in any of its
// forms, or whichever the file's name and content say.
enum class OpenAs { kAny, kRaw, kText };

struct OpenedProgram {
  FileForm form = FileForm::kEightBitText;
  // Program text as the editor shows it and saves it back: a program text
  // file as it stands (blank lines and comments kept), else one line per
  // instruction read. CR LF between lines.
  std::string text;
  // Listing lines that hold no program line the calculator can have.
  std::vector<listing::ListingError> refused;
  // The lines of `text` assembled, each with the line of the file it came
  // from (for a listing, counting the lines it left out); for a raw file,
  // the instructions as read, then the error line where decoding stopped.
  encoder::Assembly assembly;
  // The lines of a program text file written in a listing's spelling
  // ("X<=Y?"), by index, with their spelling as program text ("X≤Y?").
  std::vector<std::pair<size_t, std::string>> respelled;
  // Raw bytes that stop in the middle of an instruction: the text then ends
  // in the line "Error in Hex Code", and this is the message that says so.
  std::string decodeError;
};

// Program text of either encoding, or a listing, as a text file holds it:
// any line breaks, no NUL.
// UTF-8 text whose every character has a display code is program text, as
// the editor saves it, unless it is numbered or headed as a listing, or
// its reading as a listing fails on fewer lines.
OpenedProgram ReadProgramText(std::string_view fileBytes);

OpenedProgram ReadRawProgram(std::string_view bytes);

// The bytes of the file `path` names, read as OpenProgram reads them, for
// callers that have the bytes already (the page of web/). A file named neither
// ".raw" nor ".42S" is raw when its start holds a control byte that program
// text never does. Throws std::runtime_error "Cannot open file "%s". %s" for
// program text that holds a NUL byte.
OpenedProgram ReadProgramFile(const std::string& path, std::string_view bytes, OpenAs as = OpenAs::kAny);

// One line of a program file as it is read: its number in the file, its
// display codes (valid until the next line), its assembled form, and its
// spelling as program text where it was written in a listing's.
struct ProgramLine {
  size_t fileLine = 0;
  std::string_view codes;
  encoder::AssembledLine assembled;
  std::string spelled;
};
using TakeProgramLine = std::function<void(ProgramLine& line)>;

// What reading the lines found out: the file's form and, for raw bytes that
// stop mid-instruction, the message that says so.
struct LinesRead {
  FileForm form = FileForm::kEightBitText;
  std::string decodeError;
};

// The lines of the file, one at a time, as ReadProgramFile reads them, for
// callers that keep no record of every line; `refuse` takes the listing
// lines that hold no program line, in file order among the others. Throws
// as ReadProgramFile does.
LinesRead ReadProgramLines(const std::string& path, std::string_view bytes, OpenAs as,
                           const TakeProgramLine& take, const listing::TakeError& refuse);

// Reads the file; throws std::runtime_error "Cannot open file "%s". %s".
OpenedProgram OpenProgram(const std::string& path, OpenAs as = OpenAs::kAny);

}  // namespace orrikey::document
