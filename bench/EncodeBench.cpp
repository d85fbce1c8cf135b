// Encoding speed on a large program of every argument form: its lines
// assembled, and the same kinds of line read from a listing.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "CycledProgram.h"
#include "document/OpenProgram.h"
#include "encoder/Assembly.h"

namespace {

constexpr size_t kLines = 100'000;

// 100,000 lines cycling through fixed instructions, numbers, strings,
// comments, every operand form and lines that fail.
std::vector<std::string> GeneratedProgram() {
  std::vector<std::string> kinds = kOperandForms;
  kinds.insert(kinds.end(), {
                                "CLX",
                                "ENTER",
                                "X<>Y",
                                "\xA0",
                                "E^X-1",
                                "SIZE 0025",
                                "ISG 00 @ loop",
                                "VIEW \"X\" @ show",
                                "STO 5",
                                "FOO BAR",
                                "\"NO END",
                                "SF \"X\"",
                                "END",
                            });
  return CycledProgram(kinds, kLines);
}

void BM_Assemble(benchmark::State& state) {
  const std::vector<std::string> program = GeneratedProgram();
  for (auto _ : state) benchmark::DoNotOptimize(orrikey::encoder::Assemble(program));
  state.SetItemsProcessed(state.iterations() * program.size());
  state.SetLabel("items = program lines");
}
BENCHMARK(BM_Assemble)->Unit(benchmark::kMillisecond);

// The same kinds of line as a listing shares them, in UTF-8 with glyphs,
// numbers, spellings and comments, read and assembled as the command line
// reads a file.
std::string GeneratedListing() {
  const std::vector<std::string> kinds = {
      "00 { 999-Byte Prgm }",
      "01\xE2\x96\xB8LBL \"MAIN\"",
      "02 CLX",
      "03 ENTER",
      "04 X<>Y",
      "05 \xC3\xB7",
      "06 E^X-1",
      "07 123.45",
      "08 -1.5E-12",
      "09 \"HELLO\"",
      "10 \"A\xCE\xA3\"",
      "11 STO 05",
      "12 RCL ST X",
      "13 RCL IND ST L",
      "14 STO\xC3\x97 05",
      "15 GTO A",
      "16 XEQ \"SUB\"",
      "17 KEY 1 XEQ 99",
      "18 X#0?",
      "@ a comment line",
      "19 ISG 00 ; loop",
      "20 \xE2\x94\x9C\"TXT\"",
      "21 FOO BAR",
      "22 END",
  };
  std::string text;
  for (const std::string& line : CycledProgram(kinds, kLines)) text += line + "\r\n";
  return text;
}

void BM_ReadListing(benchmark::State& state) {
  const std::string listing = GeneratedListing();
  for (auto _ : state) benchmark::DoNotOptimize(orrikey::document::ReadProgramText(listing));
  state.SetItemsProcessed(state.iterations() * kLines);
  state.SetLabel("items = listing lines");
}
BENCHMARK(BM_ReadListing)->Unit(benchmark::kMillisecond);

}  // namespace
