// A keystroke's work in the editing model, on the editor benchmark's
// 10,000-line program: the line read again, the labels analysed, and the
// diagnostics and outline a front end then shows.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "EditedProgram.h"
#include "editing/ProgramModel.h"

namespace {

using namespace orrikey;

void BM_OneLineEdit(benchmark::State& state) {
  editing::ProgramModel model;
  model.Replace(0, 1, EditedProgramText());
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
