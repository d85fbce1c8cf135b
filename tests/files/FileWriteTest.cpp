// Writing and reading raw and program text files: exact bytes, and a failed
// write that leaves the old file as it was.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <stdexcept>

#include "files/FileIO.h"
#include "files/ProgramText.h"
#include "files/RawFile.h"

namespace orrikey::files {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

class FileWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "orrikey-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // The files in the folder: a write must leave no other file behind.
  long Files() const { return std::distance(fs::directory_iterator(dir_), {}); }

  fs::path dir_;
};

TEST_F(FileWrite, BytesComeBackAsWritten) {
  for (const std::string& bytes : {""s, "\0"s, "\xC0\x00\x0D\r\n\x1A\xFF"s}) {
    WriteWholeFile(Path("p.raw"), bytes);
    EXPECT_EQ(ReadRawFile(Path("p.raw")), bytes);
  }
  // A program text is written as it stands, and read normalised.
  const std::string text = "LBL \"\x85\"\nSTO 01\rEND";
  WriteProgramTextFile(Path("p.42S"), text);
  EXPECT_EQ(ReadRawFile(Path("p.42S")), text);
  EXPECT_EQ(ReadProgramTextFile(Path("p.42S")), "LBL \"\x85\"\r\nSTO 01\r\nEND");
  EXPECT_EQ(Files(), 2);
}

TEST_F(FileWrite, ProgramTextWithANulByteIsRefusedByLine) {
  const struct {
    std::string bytes;
    int line;
  } rows[] = {{"\0A"s, 1}, {"A\r\n\0"s, 2}, {"A\r\0"s, 2}, {"A\n\n\rB\0C"s, 4}};
  for (const auto& row : rows) {
    WriteWholeFile(Path("p.42S"), row.bytes);
    EXPECT_EQ(ErrorOf([&] { ReadProgramTextFile(Path("p.42S")); }),
              "Cannot open file \"" + Path("p.42S") + "\". Line " + std::to_string(row.line) +
                  " holds a NUL byte, which program text cannot hold");
  }
}

TEST_F(FileWrite, ReplacedFileKeepsItsPermissionsAndLinks) {
  WriteWholeFile(Path("real.raw"), "old");
  ASSERT_EQ(chmod(Path("real.raw").c_str(), 0640), 0);
  fs::create_symlink(Path("real.raw"), Path("link.raw"));
  WriteWholeFile(Path("link.raw"), "new");
  EXPECT_TRUE(fs::is_symlink(Path("link.raw")));
  EXPECT_EQ(ReadRawFile(Path("real.raw")), "new");
  struct stat info {};
  ASSERT_EQ(stat(Path("real.raw").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileWrite, FailedWriteKeepsTheOldFile) {
  WriteWholeFile(Path("p.raw"), "old content");
  // A file size limit makes the write itself fail half way.
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
  const struct rlimit small = {4096, saved.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string error =
      ErrorOf([&] { WriteWholeFile(Path("p.raw"), std::string(10000, 'x')); });
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedHandler);
  EXPECT_EQ(error, "Cannot create file \"" + Path("p.raw") + "\". File too large");
  EXPECT_EQ(ReadRawFile(Path("p.raw")), "old content");
  EXPECT_EQ(Files(), 1);
}

TEST_F(FileWrite, PathsThatCannotBeWrittenOrRead) {
  fs::create_directory(Path("folder"));
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  fs::create_symlink(Path("missing/p.raw"), Path("dangling"));
  // Each is refused or fails before it is replaced: the FIFO and the link stay,
  // and no temporary file is left behind.
  const std::pair<std::string, std::string> writes[] = {
      {Path("missing/p.raw"), "No such file or directory"},
      {Path("folder"), "Is a directory"},
      {Path("fifo"), "Not a regular file"},
      {Path("dangling"), "No such file or directory"},
  };
  for (const auto& [path, reason] : writes) {
    EXPECT_EQ(ErrorOf([&] { WriteWholeFile(path, "x"); }),
              "Cannot create file \"" + path + "\". " + reason);
  }
  EXPECT_TRUE(fs::is_fifo(Path("fifo")));
  EXPECT_TRUE(fs::is_symlink(Path("dangling")));
  EXPECT_EQ(Files(), 3);

  // A FIFO or a device is refused without waiting on it or reading it, and an
  // oversized file before it is read or once the limit is read.
  for (const char* name : {"max.raw", "big.raw"}) WriteWholeFile(Path(name), "");
  fs::resize_file(Path("max.raw"), kMaxProgramFileSize);
  fs::resize_file(Path("big.raw"), kMaxProgramFileSize + 1);
  EXPECT_EQ(ReadRawFile(Path("max.raw")).size(), kMaxProgramFileSize);
  const std::pair<std::string, std::string> reads[] = {
      {Path("missing.raw"), "No such file or directory"},
      {Path("folder"), "Is a directory"},
      {Path("fifo"), "Not a regular file"},
      {"/dev/null", "Not a regular file"},
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
