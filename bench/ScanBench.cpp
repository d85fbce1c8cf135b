// Symbol scan speed on a large program, every kind of symbol ticked.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "CycledProgram.h"
#include "reference/SymbolScan.h"

namespace {

// 100,000 lines in which finds and near misses of every pattern recur.
std::vector<std::string> GeneratedProgram() {
  const std::vector<std::string> kinds = {
      "LBL \"MAIN\"",
      "STO 05",
      "STO+ 07",
      "RCL 05",
      "ASTO 10",
      "STO \"TOTAL\"",
      "STO \"A\" \"B\"",
      "MVAR \"RATE\"",
      "LBL A",
      "LBL e @ loop",
      "LBL 14",
      "GTO 14",
      "XEQ \"SUB\"",
      "STO IND 05",
      "STO ST X",
      "CLX",
      "ENTER",
      "123.45",
      "\"HELLO WORLD\"",
      "ISG 00 @ count the loop",
      "STO\xA0 \"LONG NAME WITH BLANKS\"",
      "LBL K",
      "X<>Y",
      "END",
  };
  return CycledProgram(kinds, 100'000);
}

void BM_ScanSymbols(benchmark::State& state) {
  const std::vector<std::string> program = GeneratedProgram();
  for (auto _ : state)
    benchmark::DoNotOptimize(orrikey::reference::ScanSymbols(program, {true, true, true, true}));
  state.SetItemsProcessed(state.iterations() * program.size());
  state.SetLabel("items = program lines");
}
BENCHMARK(BM_ScanSymbols)->Unit(benchmark::kMillisecond);

}  // namespace
