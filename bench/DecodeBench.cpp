// Decoding speed in raw bytes per second, on a generated 1 MB program of
// varied instructions.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "decoder/HTC.h"
#include "encoder/Assembly.h"
#include "files/HexText.h"
#include "tables/Tables.h"

namespace {

constexpr size_t kProgramBytes = 1 << 20;

// Every fixed instruction and a mix of numbers, strings and operand forms,
// encoded once and repeated up to 1 MB.
std::string GeneratedProgram() {
  std::vector<std::string> lines = {
      "123.45",         "-1.5\x98-12",      ".5",                "\"HELLO\"",
      "\"A\x85\"",      "STO 05",           "STO 42",            "RCL ST X",
      "RCL IND ST L",   "STO+ IND 07",      "RCL\xA0 16",        "LBL \"MAIN\"",
      "GTO A",          "XEQ e",            "LBL 14",            "GTO 15",
      "GTO 03",         "XEQ \"SUB\"",      "GTO IND \"PTR\"",   "KEY 1 XEQ 99",
      "KEY 2 GTO \"AB\"", "KEY 3 GTO IND ST Z", "ASSIGN \"FN\" TO 05", "FIX 04",
      "FIX 11",         "SIZE 25",          "ISG 00",            "VIEW \"X\"",
      "\x9F \"TXT\"",   "SF 21",            "FS? IND 10",        "INPUT \"N\"",
  };
  for (const auto& op : orrikey::tables::FixedOps()) lines.emplace_back(op.name);
  const std::vector<std::uint8_t> bytes = orrikey::encoder::Assemble(lines).Bytes();
  const std::string once(bytes.begin(), bytes.end());
  std::string program;
  while (program.size() < kProgramBytes) program += once;
  program.resize(program.size() - program.size() % once.size());
  return program;
}

void BM_HexToCode(benchmark::State& state) {
  const std::string hex = orrikey::BytesToHex(GeneratedProgram());
  if (!orrikey::HTC::HexToCode(hex).info.empty())
    state.SkipWithError("the generated program does not decode to its end");
  for (auto _ : state) benchmark::DoNotOptimize(orrikey::HTC::HexToCode(hex));
  state.SetBytesProcessed(state.iterations() * (hex.size() / 2));
  state.SetLabel("bytes = raw program bytes");
}
BENCHMARK(BM_HexToCode)->Unit(benchmark::kMillisecond);

// What opening a raw file does after reading it: hex text, then decoding.
void BM_OpenRawBytes(benchmark::State& state) {
  const std::string bytes = GeneratedProgram();
  for (auto _ : state)
    benchmark::DoNotOptimize(orrikey::HTC::HexToCode(orrikey::BytesToHex(bytes)));
  state.SetBytesProcessed(state.iterations() * bytes.size());
  state.SetLabel("bytes = raw program bytes");
}
BENCHMARK(BM_OpenRawBytes)->Unit(benchmark::kMillisecond);

}  // namespace
