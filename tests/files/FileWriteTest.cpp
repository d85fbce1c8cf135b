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

namespace orrikey {
namespace {

namespace fs = std::filesystem;

class FileWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "orrikey-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // The names in the folder: a failed write must leave no file behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  template <typename Write>
  std::string ErrorOf(Write write) {
    try {
      write();
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "no error";
  }

  fs::path dir_;
};

TEST_F(FileWrite, RawFileHoldsTheBytesAndNothingElse) {
  const std::string rows[] = {"", std::string("\x00", 1), "\x77",
                              std::string("\xC0\x00\x0D\r\n\x1A\xFF", 7)};
  for (const std::string& bytes : rows) {
    SaveHexStringToFile(Path("prog.raw"), bytes);
    EXPECT_EQ(ReadRawFile(Path("prog.raw")), bytes);
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"prog.raw"});
}

TEST_F(FileWrite, ProgramTextIsWrittenByteForByte) {
  const std::string text = "LBL \"\x85\xA0\"\r\n\tSTO 01\r\nEND\r\n";
  WriteProgramTextFile(Path("p.42S"), text);
  EXPECT_EQ(ReadWholeFile(Path("p.42S")), text);
  EXPECT_EQ(ReadProgramTextFile(Path("p.42S")), text);

  WriteProgramTextFile(Path("p.42S"), "");
  EXPECT_EQ(ReadProgramTextFile(Path("p.42S")), "");
}

TEST_F(FileWrite, ReadingNormalisesAndStopsAtNul) {
  SaveHexStringToFile(Path("p.42S"), std::string("CLX\nRCL 01\0END", 14));
  EXPECT_EQ(ReadProgramTextFile(Path("p.42S")), "CLX\r\nRCL 01");
}

TEST_F(FileWrite, ReplacedFileKeepsItsPermissions) {
  SaveHexStringToFile(Path("p.raw"), "old");
  ASSERT_EQ(chmod(Path("p.raw").c_str(), 0640), 0);
  SaveHexStringToFile(Path("p.raw"), "new");
  struct stat info {};
  ASSERT_EQ(stat(Path("p.raw").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileWrite, WritesThroughSymbolicLinks) {
  SaveHexStringToFile(Path("real.raw"), "old");
  fs::create_symlink(Path("real.raw"), Path("link.raw"));
  SaveHexStringToFile(Path("link.raw"), "new");
  EXPECT_TRUE(fs::is_symlink(Path("link.raw")));
  EXPECT_EQ(ReadRawFile(Path("real.raw")), "new");
}

TEST_F(FileWrite, FailedWriteKeepsTheOldFile) {
  SaveHexStringToFile(Path("p.raw"), "old content");

  // A file size limit makes the write itself fail half way.
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string error = ErrorOf([&] { SaveHexStringToFile(Path("p.raw"), std::string(10000, 'x')); });
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedHandler);

  EXPECT_EQ(error, "Cannot create file \"" + Path("p.raw") + "\". File too large");
  EXPECT_EQ(ReadRawFile(Path("p.raw")), "old content");
  EXPECT_EQ(Names(), std::vector<std::string>{"p.raw"});
}

TEST_F(FileWrite, PathsThatCannotBeWritten) {
  fs::create_directory(Path("folder"));
  const struct {
    std::string path;
    std::string reason;
  } rows[] = {
      {Path("folder"), "Is a directory"},
      {Path("missing/p.raw"), "No such file or directory"},
      {Path("folder/"), "Not a directory"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ErrorOf([&] { SaveHexStringToFile(row.path, "x"); }),
              "Cannot create file \"" + row.path + "\". " + row.reason);
    EXPECT_EQ(ErrorOf([&] { WriteProgramTextFile(row.path, "x"); }),
              "Cannot create file \"" + row.path + "\". " + row.reason);
  }
  EXPECT_TRUE(fs::is_empty(Path("folder")));
  EXPECT_EQ(Names(), std::vector<std::string>{"folder"});
}

TEST_F(FileWrite, FilesThatCannotBeRead) {
  fs::create_directory(Path("folder"));
  EXPECT_EQ(ErrorOf([&] { ReadRawFile(Path("missing.raw")); }),
            "Cannot open file \"" + Path("missing.raw") + "\". No such file or directory");
  EXPECT_EQ(ErrorOf([&] { ReadRawFile(Path("folder")); }),
            "Cannot open file \"" + Path("folder") + "\". Is a directory");
}

}  // namespace
}  // namespace orrikey
