// The language server as an editor meets it, a process on pipes: how soon
// it answers `initialize` after it starts, and how soon a one-line change
// of a 10,000-line program is answered by its diagnostics.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "EditedProgram.h"

extern char** environ;

namespace {

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// `orrikey-cli lsp` on two pipes.
class ServerProcess {
 public:
  ServerProcess() {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(ORRIKEY_CLI), const_cast<char*>("lsp"), nullptr};
    if (posix_spawn(&pid_, ORRIKEY_CLI, &actions, nullptr, argv, environ) != 0) std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    to_ = in[1];
    from_ = out[0];
  }

  ~ServerProcess() {
    close(to_);
    close(from_);
    waitpid(pid_, nullptr, 0);
  }

  void Send(const std::string& body) {
    const std::string message = Framed(body);
    for (size_t sent = 0; sent < message.size();) {
      const ssize_t n = write(to_, message.data() + sent, message.size() - sent);
      if (n <= 0) std::abort();
      sent += size_t(n);
    }
  }

  // The body of the next message.
  std::string Receive() {
    std::string header;
    while (!header.ends_with("\r\n\r\n")) header += Byte();
    const size_t length = std::stoul(header.substr(header.find(':') + 1));
    std::string body(length, '\0');
    for (size_t read = 0; read < length;) {
      const ssize_t n = ::read(from_, body.data() + read, length - read);
      if (n <= 0) std::abort();
      read += size_t(n);
    }
    return body;
  }

  std::string ReceiveAnswer(std::string_view marker) {
    for (;;) {
      std::string body = Receive();
      if (body.find(marker) != std::string::npos) return body;
    }
  }

 private:
  char Byte() {
    char c;
    if (::read(from_, &c, 1) != 1) std::abort();
    return c;
  }

  pid_t pid_ = 0;
  int to_ = -1;
  int from_ = -1;
};

const std::string kInitialize =
    R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})";

void BM_InitializeAnswered(benchmark::State& state) {
  for (auto _ : state) {
    ServerProcess server;
    server.Send(kInitialize);
    benchmark::DoNotOptimize(server.ReceiveAnswer("\"id\":1"));
    state.PauseTiming();
    server.Send(R"({"jsonrpc":"2.0","method":"exit"})");
    state.ResumeTiming();
  }
  state.SetLabel("goal: at most 20 ms");
}
BENCHMARK(BM_InitializeAnswered)->Unit(benchmark::kMillisecond);

// The editing benchmark's program, as JSON string content.
std::string ProgramText() {
  std::string escaped;
  for (const char c : EditedProgramText()) {
    if (c == '"' || c == '\\') escaped += '\\';
    escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return escaped;
}

void BM_OneLineChangeDiagnosed(benchmark::State& state) {
  ServerProcess server;
  server.Send(kInitialize);
  server.ReceiveAnswer("\"id\":1");
  server.Send(R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
              R"({"uri":"file:///big.42S","languageId":"hp42s","version":1,"text":")" +
              ProgramText() + "\"}}}");
  server.ReceiveAnswer("publishDiagnostics");
  bool odd = false;
  for (auto _ : state) {
    const std::string text = (odd = !odd) ? "STO 06" : "STO 05";
    server.Send(R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":)"
                R"({"uri":"file:///big.42S","version":2},"contentChanges":[{"range":)"
                R"({"start":{"line":5000,"character":0},"end":{"line":5000,"character":6}},"text":")" +
                text + "\"}]}}");
    benchmark::DoNotOptimize(server.ReceiveAnswer("publishDiagnostics"));
  }
  server.Send(R"({"jsonrpc":"2.0","method":"exit"})");
  state.SetLabel("goal: at most 5 ms");
}
BENCHMARK(BM_OneLineChangeDiagnosed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
