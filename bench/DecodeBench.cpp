// Decoding speed in raw bytes per second, on a generated 1 MB program of
// varied instructions.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "decoder/Decode.h"
#include "decoder/LineReader.h"
#include "encoder/Assembly.h"
#include "listing/ListingWriter.h"
#include "tables/Tables.h"

namespace {

constexpr size_t kProgramBytes = 1 << 20;

// Every fixed instruction and a mix of numbers, strings and operand forms,
// encoded once and repeated up to 1 MB.
std::vector<std::uint8_t> GeneratedProgram() {
  std::vector<std::string> lines = {
      "123.45",
      "-1.5\x98-12",
      ".5",
      "\"HELLO\"",
      "\"A\x85\"",
      "STO 05",
      "STO 42",
      "RCL ST X",
      "RCL IND ST L",
      "STO+ IND 07",
      "RCL\xA0 16",
      "LBL \"MAIN\"",
      "GTO A",
      "XEQ e",
      "LBL 14",
      "GTO 15",
      "GTO 03",
      "XEQ \"SUB\"",
      "GTO IND \"PTR\"",
      "KEY 1 XEQ 99",
      "KEY 2 GTO \"AB\"",
      "KEY 3 GTO IND ST Z",
      "ASSIGN \"FN\" TO 05",
      "FIX 04",
      "FIX 11",
      "SIZE 25",
      "ISG 00",
      "VIEW \"X\"",
      "\x9F \"TXT\"",
      "SF 21",
      "FS? IND 10",
      "INPUT \"N\"",
  };
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

// The command line's way: one line at a time.
void BM_LineReader(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = GeneratedProgram();
  for (auto _ : state) {
    orrikey::decoder::LineReader reader(bytes);
    orrikey::decoder::Line line;
    while (reader.Next(line)) benchmark::DoNotOptimize(reader.text());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  state.SetLabel("bytes = raw program bytes");
}
BENCHMARK(BM_LineReader)->Unit(benchmark::kMillisecond);

// The command line's program text: each line in its UTF-8 spelling, the
// lines read before copied a run at a time, into room made once.
void BM_ProgramText(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = GeneratedProgram();
  const orrikey::decoder::LineReader::TextWriter spelling = {orrikey::listing::WriteListingInstruction,
                                                             orrikey::listing::ListingRoom};
  std::string out;
  for (auto _ : state) {
    orrikey::decoder::LineReader reader(bytes, spelling);
    orrikey::decoder::Line line;
    size_t used = 0;
    const auto makeRoom = [&](size_t room) {
      if (out.size() < used + room) out.resize(2 * (used + room));
    };
    for (;;) {
      makeRoom(1 << 16);
      used = static_cast<size_t>(reader.CopyKeptLines(out.data() + used, out.data() + out.size(), "\n") -
                                 out.data());
      makeRoom(1 + reader.Room());
      char* at = out.data() + used;
      *at++ = '\n';
      if (!reader.Next(line, at)) break;
      used = static_cast<size_t>(at + line.textSize - out.data());
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  state.SetLabel("bytes = raw program bytes");
}
BENCHMARK(BM_ProgramText)->Unit(benchmark::kMillisecond);

}  // namespace
