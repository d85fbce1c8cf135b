// A process asked to end while it replaces a file leaves the file whole and
// nothing beside it. The request comes in the middle of the write: a file
// size limit stops the write there, and the limit's own signal asks the
// process to end.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/FileIO.h"

namespace fs = std::filesystem;

namespace {

struct SignalRow {
  const char* name;
  bool hardLinked;  // a file with two names is written in place
};

class SignalMidWrite : public ::testing::TestWithParam<SignalRow> {};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST_P(SignalMidWrite, LeavesTheFileWholeAndNothingBeside) {
  const fs::path folder = fs::path(::testing::TempDir()) / ("signal-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "tmp");
  const fs::path target = folder / "p.raw";
  const std::string old(1 << 20, 'a');
  orrikey::files::WriteWholeFile(target, old);
  if (GetParam().hardLinked) fs::create_hard_link(target, folder / "link.raw");

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    setenv("TMPDIR", (folder / "tmp").c_str(), 1);
    const rlimit limit{2 << 20, 2 << 20};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, [](int) { raise(SIGTERM); });
    try {
      orrikey::files::WriteWholeFile(target, std::string(4 << 20, 'b'));
    } catch (...) {
    }
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(Read(target), old);
  EXPECT_EQ(size_t(std::distance(fs::directory_iterator(folder), {})), GetParam().hardLinked ? 3u : 2u);
  EXPECT_TRUE(fs::is_empty(folder / "tmp"));
  fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Files, SignalMidWrite,
                         ::testing::Values(SignalRow{"NewName", false}, SignalRow{"InPlace", true}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
