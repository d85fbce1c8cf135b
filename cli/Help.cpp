#include "cli/Help.h"

#include "files/FileIO.h"
#include "files/ProgramText.h"
#include "listing/ListingReader.h"

namespace orrikey::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: orrikey-cli encode FILE... [-o OUT]\n"
    "       orrikey-cli decode [--format F] FILE.raw... [-o OUT]\n"
    "       orrikey-cli decode [--format F] --hex HEXTEXT [-o OUT]\n"
    "       orrikey-cli check [--target T] FILE|FOLDER...\n"
    "       orrikey-cli programs FILE\n"
    "       orrikey-cli --help | --version\n";

constexpr std::string_view kHelp =
    "Converts HP-42S program text and listings into calculator program bytes\n"
    "and back. FILE - is standard input, -o - standard output. With several\n"
    "files, -o names a folder (an existing one, or a path ending in /) that\n"
    "gets one output file per input, named after it.\n"
    "\n"
    "  encode FILE...\n"
    "                Read program text or a listing and write its hex listing\n"
    "                to standard output, one line of hex digits per program\n"
    "                line (with several files, each after a line \"==> FILE <==\").\n"
    "                Lines that fail are listed on standard error as\n"
    "                \"Line: N ------ err ...\", N counting every line of the\n"
    "                file; when none failed, the size follows as the\n"
    "                calculator counts it, without END: \"{ N-Byte Prgm }\",\n"
    "                or \"N bytes in M programs\". -o OUT also writes the raw\n"
    "                file OUT (.raw), only when no line failed.\n"
    "\n"
    "                A UTF-8 file (a byte-order mark allowed) is read as\n"
    "                program text when all its lines convert so, else as a\n"
    "                listing when more of them convert that way; any other\n"
    "                file as program text in the 8-bit display codes, as it\n"
    "                stands; a line of program text that does not convert as\n"
    "                it stands is read as a listing reads it. Quoted texts\n"
    "                read alike in all of these: the escapes below, and ├ as\n"
    "                code 0x7F. In a listing, these are\n"
    "                left out: line numbers (\"01\", \"001\", followed by a blank\n"
    "                or \"▸\"), a leading \"▸\", the header \"00 { n-Byte Prgm }\",\n"
    "                blank lines and lines starting with @, #, ; or //;\n"
    "                outside quoted text, @, ; and // end the instruction.\n"
    "                The calculator's glyphs (÷ × √ Σ ▸ π ≤ ≥ ≠ ↓ → ← ↑ ├ ᴇ ...)\n"
    "                are read as themselves, “ ” as \", E or e as the\n"
    "                exponent of a number (1E3, -2.5e-7, 1e+15), a decimal\n"
    "                comma as the point (2,7), and inside quoted\n"
    "                text the escapes [LF], [ESC] and € with two hex digits\n"
    "                (€9f) as those calculator characters. ASCII spellings,\n"
    "                outside quoted text:\n"
    "%SPELLINGS%"
    "                and ^ for ↑ as always. Several programs, each up to its\n"
    "                END, may follow one another. A control byte (below the\n"
    "                blank, but a tab) outside quoted text fails its line as\n"
    "                \"------ err char\", and the message names it.\n"
    "\n"
    "  decode FILE.raw..., decode --hex HEXTEXT\n"
    "                Turn the bytes of a raw file, or hex text (two digits for\n"
    "                every byte), into one line per instruction. Bytes that\n"
    "                form no known instruction end the text with \"Error in Hex\n"
    "                Code\", and standard error names the line. --format F:\n"
    "                  text     UTF-8 program text with the calculator's glyphs\n"
    "                           (the default)\n"
    "                  listing  the calculator's listing: \"00 { n-Byte Prgm }\",\n"
    "                           numbered lines, \"▸\" before labels\n"
    "                  8bit     program text in the 8-bit display codes\n"
    "                  hex      the bytes as hex digits\n"
    "                -o OUT writes the file OUT (.42S, CR LF line breaks; a\n"
    "                listing .txt with LF; .hex) instead, only when decoding\n"
    "                ended cleanly.\n"
    "\n"
    "  check [--target T] FILE|FOLDER...\n"
    "                Read raw files, program text or listings and report, the\n"
    "                way compilers do, \"FILE:LINE: error: ...\" for each line\n"
    "                that does not convert and \"FILE:LINE: warning: ...\" for a\n"
    "                GTO, XEQ or KEY n GTO/XEQ to a local label that its program\n"
    "                lacks (programs end at END, each with its own local labels),\n"
    "                a global label that the file has twice, and a local label\n"
    "                that its program has twice. \"FILE:LINE: note: ...\" tells the\n"
    "                line that a jump to such a label reaches, and names a\n"
    "                global label that a GTO, XEQ, PGMSLV, PGMINT, VARMENU and\n"
    "                the like name and the file lacks: another program on the\n"
    "                calculator may hold it. A FOLDER stands for the program\n"
    "                files under it, at any depth, by their paths in order:\n"
    "                .raw, .42S and listings' .txt, .hp42s and .free42. A last\n"
    "                line sums up: \"N files, N programs, N errors, N warnings,\n"
    "                N notes\". Exit status 1 when an error or a warning was\n"
    "                reported; notes leave it 0.\n"
    "                A note on each program's first global label gives the\n"
    "                SIZE it needs when more than 25: \"needs SIZE 31: uses\n"
    "                R30\", \"needs SIZE 24: statistics registers R11 to R23\";\n"
    "                indirect uses (STO IND 05) are named, not counted. A SIZE\n"
    "                line that sets fewer registers than the program uses is a\n"
    "                warning. --target T: the calculators the programs are for,\n"
    "                today (DM42 and Free42, the default) or hp42s (the\n"
    "                original HP-42S), where an instruction or a form only\n"
    "                today's have (X=? ST Y) is an error, and a note weighs the\n"
    "                programs against its about 7,200 bytes when they take more.\n"
    "\n"
    "  programs FILE\n"
    "                List the programs of the file, each up to its END: its\n"
    "                lines, its size as the calculator counts it and its steps;\n"
    "                on an indented line after it, the SIZE it needs and\n"
    "                whether the original HP-42S runs it (\"  needs SIZE 31;\n"
    "                HP-42S: no, 2 lines use today's instructions (first at\n"
    "                line 40)\"); then its labels, each after its line number.\n"
    "\n"
    "Input files must be regular files of at most 4 MiB; program text must not\n"
    "hold a NUL byte. -o replaces only a regular file, or makes a new one; an\n"
    "output that is an input of the run (standard input too, when it reads\n"
    "from that file), or that two inputs would both write, is refused before\n"
    "anything is written.\n"
    "\n"
    "Exit status, the worst over all files: 0 when every line converted, 1\n"
    "when a line failed, 2 for a usage error, a file that cannot be read or\n"
    "written, standard output that cannot be written, or too little memory.\n";

static_assert(files::kMaxProgramFileSize == 4 << 20, "the help names the size limit");

}  // namespace

std::string_view UsageText() { return kUsage; }

std::string HelpText() {
  std::string help(kHelp);
  std::string spellings;
  for (const std::string& line : files::SplitLines(listing::DescribeSpellings()))
    spellings += std::string(18, ' ') + line + "\n";
  help.replace(help.find("%SPELLINGS%"), 11, spellings);
  return std::string(kUsage) + "\n" + help;
}

}  // namespace orrikey::cli
