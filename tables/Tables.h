#pragma once

// The instruction set and character data, built into the program from the
// data files of this folder as typed records, in file order; every lookup
// walks them from the first row and takes the first exact match. Bytes are
// the calculator's own bytes, not hex text.

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "tables/ByteCode.h"

namespace orrikey::tables {

// What an instruction without an operand does with the statistics
// registers, a block of 13 from the one ΣREG names (6 in LINΣ mode).
enum class Statistics : unsigned char {
  kNone,
  kUses,    // reads or writes the block: Σ+, MEAN
  kLinear,  // LINΣ: the block shrinks to 6 registers
  kAll,     // ALLΣ: the block is 13 registers, as after a memory clear
};

// A place of an instruction in the Program Tool's menu list, whose groups
// follow the calculator's menus.
struct MenuPlace {
  std::string_view group;  // the group's header: "-ALPHA"
  // The member as the menu shows it: the name, the calculator's spelling
  // (RDX,), a pick's label (X^Y for Y^X), or the name and a blank when an
  // operand is typed after it.
  std::string_view shown;
  unsigned short order;  // the place in the whole list, groups in list order
};

// An instruction without an operand.
struct FixedOp {
  std::string_view name;
  std::string_view bytes;
  bool endsProgram = false;  // END, and the forms that read as it
  bool dropped = false;      // NULL: the calculator drops it as it reads the program
  bool todayOnly = false;    // only today's calculators have it; the HP-42S stops at it
  Statistics statistics = Statistics::kNone;
  // A read-only form of an instruction with an operand (X=? IND ST Y) that
  // reaches a numbered register known only when it runs.
  bool indirectRegister = false;
  // The help line (Windows-1252 text); empty for the rows no program line
  // shows: NULL, which the calculator drops, .END., which reads as END, and
  // the forms of ReadOnlyOps().
  std::string_view help;
  std::span<const MenuPlace> menus;  // where the Program Tool lists it
};

// A form whose operand is a number or a stack register: the bytes that lead
// the instruction, then one operand byte counted from `base`.
//
// A `derived` form is one the row leaves out but the calculator reads from
// the instruction's other forms (tables/README.md says by which rule): it is
// read and written, so that such a line keeps its bytes, but never offered.
struct OperandForm {
  bool exists = false;
  std::string_view lead;
  unsigned char base = 0;
  bool derived = false;
};

// A form whose operand is a quoted name. The name's length byte counts the
// `lead` bytes after it and the characters; `before` stands before it.
struct NameForm {
  bool exists = false;
  std::string_view before;
  std::string_view lead;
  bool derived = false;
};

// The forms of one operand kind, direct or indirect. A short number form
// writes small numbers in fewer bytes where the instruction has one.
struct OperandForms {
  NameForm name;
  OperandForm stack;
  OperandForm number;
  OperandForm shortNumber;
};

// What an instruction's direct operand stands for, beyond its forms.
enum class OperandKind : unsigned char {
  kRegister,       // a register, flag or count: "STO 05", "FIX 04"
  kLabel,          // a label, numbered or a letter: "GTO A"; LBL's name form is a global label
  kKeyLabel,       // KEY n GTO and KEY n XEQ: the key's byte leads the label
  kKeyAssignment,  // ASSIGN "NAME" TO nn: the key's number follows the name
  kWord,           // SIZE: a number of up to four digits in two bytes
  kPlainNumber,    // a number written without a leading zero: "DROPN 2"; indirect ones padded
  kProgram,        // a global label that names a program: "PGMSLV "F"", "CLP "P""
};

// What the number of a direct operand names, beyond its kind. An IND nn
// operand of any instruction reads the register nn for what it names.
enum class NumberMeans : unsigned char {
  kOther,            // a flag, a label, digits, a count: "SF 05", "FIX 04", "DROPN 2"
  kRegister,         // a numbered register read or written: "STO 05", "ISG 10"
  kSize,             // how many numbered registers there are: SIZE
  kStatisticsBlock,  // the first statistics register: ΣREG
};

// An instruction with an operand.
struct ModOp {
  std::string_view name;
  OperandForms indirect;
  OperandForms direct;
  // FIX, SCI and ENG: the whole bytes of the operands 10 and 11.
  std::string_view ten;
  std::string_view eleven;
  OperandKind operand = OperandKind::kRegister;
  bool definesLabel = false;  // LBL: its name form writes C0 00 before the name
  // The word before the key number: "KEY" in KEY n GTO, whose name holds the
  // word after the number too; "TO" in ASSIGN "NAME" TO nn.
  std::string_view keyWord;
  bool todayOnly = false;  // only today's calculators have it; the HP-42S stops at it
  NumberMeans number = NumberMeans::kOther;
  std::string_view help;             // the help line (Windows-1252 text)
  std::span<const MenuPlace> menus;  // where the Program Tool lists it

  // LBL, GTO, XEQ and the key assignments take local labels as operands.
  bool takesLabels() const { return operand == OperandKind::kLabel || operand == OperandKind::kKeyLabel; }
};

// The stack letters and the letters of local labels, which program text
// names by the byte code's layout.
using bytecode::kLowerLabelBase;
using bytecode::kLowerLabelLetters;
using bytecode::kStackBase;
using bytecode::kStackLetters;
using bytecode::kUpperLabelBase;
using bytecode::kUpperLabelLetters;

std::span<const FixedOp> FixedOps();
std::span<const ModOp> ModOps();

// The instruction that ends a program (END) and the one that defines a label
// (LBL), found by their facts, for code that writes them.
inline const FixedOp& ProgramEnd() {
  return *std::find_if(FixedOps().begin(), FixedOps().end(),
                       [](const FixedOp& op) { return op.endsProgram; });
}
inline const ModOp& LabelDefinition() {
  return *std::find_if(ModOps().begin(), ModOps().end(), [](const ModOp& op) { return op.definesLabel; });
}

// Forms that calculators read but never write, for instructions that have a
// form of their own: "X=? IND ST Y" reads from A6 79, and is written F3 A7 14 F2.
std::span<const FixedOp> ReadOnlyOps();

// A text and the text it stands for.
struct TextPair {
  std::string_view key;
  std::string_view value;
};

// The calculator's own spellings of instructions whose table name differs:
// "RDX," for RDX, "DATE+" for DATE_PLUS, "RCL×" for RCLx.
std::span<const TextPair> Aliases();

// The ASCII spellings of the calculator's glyphs, as ASCII and the display
// codes they stand for: how listings, encode and typed program text may write
// what program text writes with a glyph ("X<=Y?" for "X≤Y?"), and how
// completion finds a glyph's name from its spelling. Outside quoted texts,
// tried in this order at every place; each is two characters at least.
// "SUM" alone is the matrix instruction, and "RSUM" one too, so only the
// names that hold Σ take "SUM" for it; "#" means "≠" only in the comparisons.
std::span<const TextPair> AsciiSpellings();
// Names spelled with ASCII "*" and "/" for the multiplication and division
// signs; only as a whole name, so that "1/X" stays itself.
std::span<const TextPair> AsciiNames();

// The table names that program text writes in the calculator's spelling of
// Aliases(), the ASCII stand-ins for a glyph or a sign; RDX keeps the name
// program text has always written it with.
std::span<const std::string_view> CalculatorNames();

// Program Tool picks whose shown text is only a label, and the text typed
// into the program instead.
std::span<const TextPair> PickTexts();

// The display code of each calculator code 0 to 31.
const std::array<unsigned char, 32>& CharMap();

// The help of keys and key labels that are not instructions, as their key
// shows them: BST, SST and R/S.
std::span<const TextPair> KeyHelp();

// The calculator's flags with their state after a machine reset and after a
// memory clear, as tab-separated text lines for reading.
std::span<const std::string_view> FlagTable();

}  // namespace orrikey::tables
