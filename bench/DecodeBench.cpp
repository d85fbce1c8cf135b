// Decoding speed in raw bytes per second, on a generated 1 MB program of
// varied instructions.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CycledProgram.h"
#include "decoder/Reader.h"
#include "encoder/Assembly.h"
#include "programtext/Utf8.h"
#include "tables/Tables.h"

namespace {

constexpr size_t kProgramBytes = 1 << 20;

// Numbers, texts, operand forms and every fixed instruction,
// encoded once and repeated up to 1 MB.
std::vector<std::uint8_t> GeneratedProgram() {
  std::vector<std::string> lines = kOperandForms;
  lines.insert(lines.end(), {
                                "RCL\xA0 16",
                                "GTO 03",
                                "KEY 3 GTO IND ST Z",
                                "FIX 04",
                                "SIZE 25",
                                "ISG 00",
                                "VIEW \"X\"",
                                "SF 21",
                                "FS? IND 10",
                                "INPUT \"N\"",
                            });
  for (const auto& op : orrikey::tables::FixedOps()) lines.emplace_back(op.name);
  const std::vector<std::uint8_t> once = orrikey::encoder::Assemble(lines).Bytes();
  std::vector<std::uint8_t> program;
  while (program.size() + once.size() <= kProgramBytes)
    program.insert(program.end(), once.begin(), once.end());
  return program;
}

void BM_Decode(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = GeneratedProgram();
  if (orrikey::decoder::Decode(bytes).stop)
    state.SkipWithError("the generated program does not decode to its end");
  for (auto _ : state) benchmark::DoNotOptimize(orrikey::decoder::Decode(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  state.SetLabel("bytes = raw program bytes");
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond);

// The command line's program text: each instruction read and written in
// UTF-8 into one text.
void BM_ProgramText(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = GeneratedProgram();
  std::string out;
  for (auto _ : state) {
    out.clear();
    orrikey::decoder::Reader reader(bytes);
    for (orrikey::decoder::Instruction line; reader.Next(line);) {
      orrikey::programtext::AppendUtf8(out, line);
      out += '\n';
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  state.SetLabel("bytes = raw program bytes");
}
BENCHMARK(BM_ProgramText)->Unit(benchmark::kMillisecond);

}  // namespace
