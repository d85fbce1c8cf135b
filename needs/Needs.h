#pragma once

// What a program needs of the calculator that runs it: the instructions it
// has, and the numbered registers, which SIZE sets. Read from assembled
// lines, so typed text and a raw file give the same answers, and kept a few
// bytes per program that needs anything, so that a file of any size is read
// through it. The editor, the command line and the language server ask these
// same answers.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/Assembly.h"
#include "labels/Labels.h"
#include "tables/Tables.h"

namespace orrikey::needs {

// The calculators a program is written for: today's (the DM42 and Free42)
// have every instruction of the tables, the original HP-42S those of its own.
enum class Target : unsigned char { kToday, kHp42s };

// The names every front end takes a target by, "today" and "hp42s": the
// command line's --target, the editor's setting, the page's and the
// language server's option.
std::optional<Target> TargetNamed(std::string_view name);
const char* NameOf(Target target);

// The registers R00 to R24 that a memory clear leaves, on both.
inline constexpr unsigned kDefaultSize = 25;
// Where the statistics registers start until ΣREG moves them, and how many
// there are in ALLΣ mode (the default) and in LINΣ mode.
inline constexpr unsigned kDefaultStatisticsBlock = 11;
inline constexpr unsigned kAllStatistics = 13;
inline constexpr unsigned kLinearStatistics = 6;
// About what the original HP-42S has for programs and data, in bytes.
inline constexpr unsigned kHp42sMemory = 7200;

// What one line asks of the calculator.
struct LineNeeds {
  bool todayOnly = false;       // an instruction, or a form, the HP-42S lacks
  std::optional<unsigned> reg;  // a numbered register read or written: STO 05, and the 05 of STO IND 05
  bool indirect = false;        // a register, or ΣREG, known only when it runs
  tables::Statistics statistics = tables::Statistics::kNone;
  std::optional<unsigned> size;   // SIZE nn
  std::optional<unsigned> block;  // ΣREG nn
};

// The line's needs, read from its table row and its operand; a line that
// does not assemble needs nothing.
LineNeeds NeedsOf(const encoder::AssembledLine& line);

// Whether the target's calculators have the line's instruction. A line's
// instruction is its table row: a form that only today's calculators have
// (X=? ST Y, read from the row X=?, beside the original X=Y?) has a row of
// its own among today's, while every form of an original row (STO IND ST X)
// is the original's.
bool RunsOn(Target target, const encoder::AssembledLine& line);

// A program's needs. Line numbers are indices into the lines read.
struct ProgramNeeds {
  std::uint32_t program = 0;          // among the file's programs
  std::bitset<128> registers;         // used directly; an operand byte names at most R127
  std::uint32_t highestLine = 0;      // the first line using the highest of them
  bool statistics = false;            // uses the statistics registers
  bool linear = false;                // sets LINΣ
  bool all = false;                   // sets ALLΣ
  std::optional<std::uint8_t> block;  // the highest ΣREG nn it sets
  std::uint32_t indirectCount = 0;
  static constexpr size_t kIndirectKept = 3;
  std::array<std::uint32_t, kIndirectKept> indirectLines{};  // the first of them
  std::uint32_t todayCount = 0;                              // lines the HP-42S lacks
  std::uint32_t firstToday = 0;
};

// The SIZE a program needs, and what decides it.
struct SizeNeed {
  unsigned size = 0;        // 0 when it uses no numbered register
  bool statistics = false;  // the statistics block decides it, else a register
  unsigned first = 0;       // the register that decides it, or the block's first and last
  unsigned last = 0;
  std::uint32_t line = 0;  // of the register's first use
};
SizeNeed SizeNeeded(const ProgramNeeds& program);

// A program's needs in a few words, the same in every front end: "needs
// SIZE 31; HP-42S: yes", or "needs SIZE 31 at least; HP-42S: no, 12 lines
// use today's instructions (first at line 40)", lines as the file numbers them.
std::string Summary(const ProgramNeeds& program, const labels::Analysis& analysis);

struct Needs {
  // Only the programs that need anything, in program order.
  std::vector<ProgramNeeds> programs;
  std::uint64_t bytes = 0;  // of all programs, as the calculator counts each

  // A program's needs; an empty record for one that needs nothing.
  const ProgramNeeds& Of(size_t program) const;
};

// Builds the needs a line at a time, in line order; programs end at END as
// the label analysis of the same lines counts them.
class Analyser {
 public:
  void Add(const encoder::AssembledLine& line);
  Needs Finish(const labels::Analysis& analysis);

 private:
  ProgramNeeds& Current();

  Needs out_;
  std::uint32_t line_ = 0;
  std::uint32_t program_ = 0;
};

Needs Analyse(const encoder::Assembly& assembly, const labels::Analysis& analysis);

// The line that speaks for a program, where notes on it go: its first
// global label, which names it, else its first line.
size_t NoteLine(const labels::Analysis& analysis, size_t program);

}  // namespace orrikey::needs
