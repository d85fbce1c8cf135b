// Writing and reading raw and program text files: a failed or interrupted
// write that leaves the old file as it was, and the paths that are refused.

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "files/FileIO.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"
#include "tests/files/ScratchFolders.h"

namespace orrikey::files {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr uid_t kNobody = 65534;

template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

using FileWrite = ScratchFolders;

TEST_F(FileWrite, ProgramTextWithANulByteIsRefusedByLine) {
  const struct {
    std::string bytes;
    int line;
  } rows[] = {{"\0A"s, 1}, {"A\r\n\0"s, 2}, {"A\r\0"s, 2}, {"A\n\n\rB\0C"s, 4}};
  for (const auto& row : rows) {
    EXPECT_EQ(ErrorOf([&] { RefuseNulByte(Path("p.42S"), row.bytes); }),
              "Cannot open file \"" + Path("p.42S") + "\". Line " + std::to_string(row.line) +
                  " holds a NUL byte, which program text cannot hold");
  }
}

// Runs the call as the user nobody when the tests run as root, so that
// permissions count; gives the error it threw, or "no error". Nobody keeps
// its pending writes in a folder of its own.
std::string ErrorAsNobody(const std::function<void()>& call) {
  if (geteuid() != 0) return ErrorOf(call);
  int channel[2];
  if (pipe(channel) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    std::string state = (fs::temp_directory_path() / "orrikey-nobody-XXXXXX").string();
    const bool nobody = mkdtemp(state.data()) && chown(state.c_str(), kNobody, kNobody) == 0 &&
                        setenv("XDG_STATE_HOME", state.c_str(), 1) == 0 && setgroups(0, nullptr) == 0 &&
                        setgid(kNobody) == 0 && setuid(kNobody) == 0;
    const std::string error = nobody ? ErrorOf(call) : "cannot become nobody";
    fs::remove_all(state);
    _exit(write(channel[1], error.data(), error.size()) < 0);
  }
  close(channel[1]);
  std::string error(512, '\0');
  error.resize(std::max<ssize_t>(read(channel[0], error.data(), error.size()), 0));
  close(channel[0]);
  waitpid(child, nullptr, 0);
  return error;
}

// A file replaced in a folder of its own: its owner, mode and hard links
// after the write, by the writer or by the user nobody. The owners count only
// when the tests run as root; rows that need root are skipped otherwise.
TEST_F(FileWrite, ReplacementKeepsWhatTheFileWas) {
  const uid_t self = geteuid();
  const struct {
    std::string name;  // also the file's, but for "p.raw" where it holds blanks
    mode_t folderMode, fileMode;
    uid_t owner;  // of the folder and the file
    bool byNobody, hardLink, needsRoot;
    std::string error;  // empty: none
    mode_t modeAfter;
    uid_t ownerAfter;
  } rows[] = {
      {"hard link", 0700, 0640, self, false, true, false, "", 0640, self},
      {"read-only folder", 0555, 0644, kNobody, true, false, false, "", 0644, kNobody},
      {"set-id bits with their owner", 0755, 04755, kNobody, false, false, true, "", 04755, kNobody},
      {"set-id bits without their owner", 0777, 06777, 0, true, false, true, "", 0777, kNobody},
      {"not the writer's to change", 0777, 0444, 0, true, false, true, "Permission denied", 0444, 0},
      {std::string(255, 'n'), 0700, 0600, self, false, false, false, "", 0600, self},
  };
  fs::permissions(dir_, fs::perms(0755));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.needsRoot && self != 0) continue;
    const uid_t owner = self == 0 ? row.owner : self;
    const fs::path folder = dir_ / std::to_string(&row - rows);
    const std::string file =
        (folder / (row.name.find(' ') != std::string::npos ? "p.raw" : row.name)).string();
    fs::create_directory(folder);
    WriteWholeFile(file, "old");
    if (row.hardLink) fs::create_hard_link(file, folder / "twin");
    for (const std::string& path : {file, folder.string()})
      ASSERT_EQ(chown(path.c_str(), owner, self == 0 ? owner : -1), 0);
    ASSERT_EQ(chmod(file.c_str(), row.fileMode), 0);
    ASSERT_EQ(chmod(folder.c_str(), row.folderMode), 0);

    const auto write = [&] { WriteWholeFile(file, "new"); };
    EXPECT_EQ(row.byNobody ? ErrorAsNobody(write) : ErrorOf(write),
              row.error.empty() ? "no error" : "Cannot create file \"" + file + "\". " + row.error);
    chmod(folder.c_str(), 0700);
    EXPECT_EQ(ReadRawFile(file), row.error.empty() ? "new" : "old");
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, row.modeAfter);
    EXPECT_EQ(info.st_uid, self == 0 ? row.ownerAfter : self);
    EXPECT_EQ(info.st_nlink, row.hardLink ? 2u : 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), row.hardLink ? 2 : 1);
  }
}

// The file size limit stops a write half way: the write fails with the
// reason, or, where the limit's own signal asks the process to end, the
// process ends. Either way the old file stays whole and nothing is left beside
// it or in the journal; a file with two names is written in place, after a
// copy in the journal.
TEST_F(FileWrite, WriteStoppedHalfWayKeepsTheOldFile) {
  const std::string old(1 << 20, 'a');
  for (const bool hardLinked : {false, true}) {
    if (hardLinked) fs::create_hard_link(Path("p.raw"), Path("link.raw"));
    for (const bool ended : {false, true}) {
      SCOPED_TRACE(std::string(hardLinked ? "in place, " : "new name, ") + (ended ? "ended" : "failed"));
      WriteWholeFile(Path("p.raw"), old);
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        const struct rlimit limit = {2 << 20, 2 << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, ended ? [](int) { std::raise(SIGTERM); } : SIG_IGN);
        const std::string error = ErrorOf([&] { WriteWholeFile(Path("p.raw"), std::string(4 << 20, 'b')); });
        _exit(error == "Cannot create file \"" + Path("p.raw") + "\". File too large" ? 0 : 1);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      EXPECT_TRUE(ended ? WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM
                        : WIFEXITED(status) && WEXITSTATUS(status) == 0);
      EXPECT_EQ(ReadRawFile(Path("p.raw")), old);
      EXPECT_EQ(Files(), hardLinked ? 2 : 1);
      EXPECT_EQ(Pending(), 0);
    }
  }
}

TEST_F(FileWrite, PathsThatCannotBeWrittenOrRead) {
  fs::create_directory(Path("folder"));
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  fs::create_symlink(Path("missing/p.raw"), Path("dangling"));
  // Each is refused or fails before it is replaced: the FIFO and the link
  // stay, and no temporary file is left behind. A device is refused as the
  // FIFO is, which is the one of them a writer or a reader could wait on.
  const std::pair<std::string, std::string> writes[] = {
      {Path("missing/p.raw"), "No such file or directory"},
      {Path("folder"), "Is a directory"},
      {Path("fifo"), "Not a regular file"},
      {Path("dangling"), "No such file or directory"},
  };
  for (const auto& [path, reason] : writes) {
    EXPECT_EQ(ErrorOf([&] { WriteWholeFile(path, "x"); }), "Cannot create file \"" + path + "\". " + reason);
  }
  EXPECT_TRUE(fs::is_fifo(Path("fifo")));
  EXPECT_TRUE(fs::is_symlink(Path("dangling")));
  EXPECT_EQ(Files(), 3);

  // A FIFO is refused without waiting on it or reading it, and an
  // oversized file before it is read or once the limit is read.
  for (const char* name : {"max.raw", "big.raw"}) WriteWholeFile(Path(name), "");
  fs::resize_file(Path("max.raw"), kMaxProgramFileSize);
  fs::resize_file(Path("big.raw"), kMaxProgramFileSize + 1);
  EXPECT_EQ(ReadRawFile(Path("max.raw")).size(), kMaxProgramFileSize);
  const std::pair<std::string, std::string> reads[] = {
      {Path("missing.raw"), "No such file or directory"},
      {Path("folder"), "Is a directory"},
      {Path("fifo"), "Not a regular file"},
      {Path("big.raw"), "It is larger than 4 MiB, the most a program file may hold"},
      // Reports no size, and reads on without end.
      {"/proc/self/pagemap", "It is larger than 4 MiB, the most a program file may hold"},
  };
  for (const auto& [path, reason] : reads) {
    EXPECT_EQ(ErrorOf([&] { ReadRawFile(path); }), "Cannot open file \"" + path + "\". " + reason);
  }
}

}  // namespace
}  // namespace orrikey::files
