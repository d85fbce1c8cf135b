#pragma once

// A scratch folder for the files a test writes, and another for the journal
// of pending writes, which WriteWholeFile finds through XDG_STATE_HOME.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace orrikey::files {

class ScratchFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeFolder("orrikey-files");
    state_ = MakeFolder("orrikey-state");
    setenv("XDG_STATE_HOME", state_.c_str(), 1);
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    std::filesystem::remove_all(state_);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // The files in the folder: a write must leave no other file behind.
  long Files() const { return std::distance(std::filesystem::directory_iterator(dir_), {}); }
  // Entries of writes not finished.
  long Pending() const {
    const std::filesystem::path pending = state_ / "orrikey/pending";
    if (!std::filesystem::exists(pending)) return 0;
    return std::distance(std::filesystem::directory_iterator(pending), {});
  }

  // Where the files go: a file system in memory where there is one, for
  // tests that write many megabytes.
  virtual std::filesystem::path Base() const { return std::filesystem::temp_directory_path(); }

  std::filesystem::path dir_, state_;

 private:
  std::filesystem::path MakeFolder(const std::string& prefix) const {
    std::string pattern = (Base() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no folder in " << Base();
    return pattern;
  }
};

}  // namespace orrikey::files
