// Encoding speed on a large program of every argument form.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "CycledProgram.h"
#include "encoder/Assembly.h"

namespace {

// 100,000 lines cycling through fixed instructions, numbers, strings,
// comments, every operand form and lines that fail.
std::vector<std::string> GeneratedProgram() {
  const std::vector<std::string> kinds = {
      "CLX",          "ENTER",       "X<>Y",           "\xA0",           "E^X-1",
      "123.45",       "-1.5\x98-12", ".5",             "\"HELLO\"",      "\"A\x85\"",
      "STO 05",       "STO 42",      "RCL ST X",       "RCL IND ST L",   "STO+ IND 07",
      "LBL \"MAIN\"", "GTO A",       "XEQ e",          "LBL 14",         "GTO 15",
      "XEQ \"SUB\"",  "GTO IND \"PTR\"", "KEY 1 XEQ 99", "KEY 2 GTO \"AB\"", "ASSIGN \"FN\" TO 05",
      "FIX 11",       "SIZE 0025",   "ISG 00 @ loop",  "VIEW \"X\" @ show", "\x9F \"TXT\"",
      "STO 5",        "FOO BAR",     "\"NO END",       "SF \"X\"",       "END",
  };
  return CycledProgram(kinds, 100'000);
}

void BM_Assemble(benchmark::State& state) {
  const std::vector<std::string> program = GeneratedProgram();
  for (auto _ : state) benchmark::DoNotOptimize(orrikey::encoder::Assemble(program));
  state.SetItemsProcessed(state.iterations() * program.size());
  state.SetLabel("items = program lines");
}
BENCHMARK(BM_Assemble)->Unit(benchmark::kMillisecond);

}  // namespace
