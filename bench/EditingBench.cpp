// A keystroke's work in the editing model, on the editor benchmark's
// 10,000-line program: the line read again, the labels analysed, and the
// diagnostics and outline a front end then shows.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "CycledProgram.h"
#include "editing/ProgramModel.h"
#include "text/CodePage.h"

namespace {

using namespace orrikey;

std::string ProgramText() {
  const std::vector<std::string> kinds = {
      "LBL \"MAIN\"", "INPUT \"N\"", "STO 05", "RCL IND ST X", "X\x89Y?",     "GTO 01",
      "STO\xA0 07",   "1.5\x98-3",   "\x85+",  "\"ROOT\"",     "XEQ \"SUB\"", "LBL 01",
      "ISG 00",       "CLX",         "ENTER",  "VIEW \"X\"",   "FIX 04",      "RTN"};
  std::string text;
  for (const std::string& line : CycledProgram(kinds, 9'999)) {
    text::AppendDisplayCodesUtf8(text, line);
    text += '\n';
  }
  return text + "END";
}

void BM_OneLineEdit(benchmark::State& state) {
  editing::ProgramModel model;
  model.Replace(0, 1, ProgramText());
  bool odd = false;
  for (auto _ : state) {
    model.Replace(5'000, 1, (odd = !odd) ? "STO 06" : "STO 05");
    benchmark::DoNotOptimize(model.Diagnostics());
    benchmark::DoNotOptimize(model.Outline());
  }
  state.SetLabel("goal: at most 2 ms");
}
BENCHMARK(BM_OneLineEdit)->Unit(benchmark::kMillisecond);

}  // namespace
