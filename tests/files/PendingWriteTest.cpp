// The journal of pending writes: what a restart does with the entries a
// writer left, and files that a writer killed at any moment leaves whole.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <thread>

#include "files/Descriptor.h"
#include "files/FileIO.h"
#include "files/PendingWrite.h"
#include "files/Recovery.h"
#include "tests/files/ScratchFolders.h"

namespace orrikey::files {
namespace {

namespace fs = std::filesystem;
using Outcome = InterruptedWrite::Outcome;

using PendingWrites = ScratchFolders;

ino_t InodeOf(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

std::string Content(const std::string& path) {
  if (!fs::exists(path)) return "absent";
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  std::string bytes(static_cast<size_t>(file.tellg()), '\0');
  file.seekg(0).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// An entry made by the writer's own code, for a file it then half writes,
// with the writer dead (its entry kept) or alive; what becomes of the file
// meanwhile; and what a restart does.
TEST_F(PendingWrites, RestartActsOnEntriesOfDeadWritersAlone) {
  const struct {
    const char* name;
    bool temporary;  // the entry records a temporary name, not old content
    bool writerAlive;
    void (*meanwhile)(const std::string& file);
    std::string after;
    std::vector<Outcome> outcomes;
  } rows[] = {
      {"file half written", false, false, [](const std::string&) {}, "old", {Outcome::kRestored}},
      {"file replaced by another",
       false,
       false,
       [](const std::string& file) {
         Put(file + ".new", "other");
         fs::rename(file + ".new", file);
       },
       "other",
       {}},
      {"file removed", false, false, [](const std::string& file) { fs::remove(file); }, "absent", {}},
      {"file written in place again long after",
       false,
       false,
       [](const std::string& file) {
         Put(file, "theirs");
         const timespec later[2] = {{time(nullptr) + 120, 0}, {time(nullptr) + 120, 0}};
         utimensat(AT_FDCWD, file.c_str(), later, 0);
       },
       "theirs",
       {}},
      {"writer still writing", false, true, [](const std::string&) {}, "half", {}},
      {"temporary name left", true, false, [](const std::string&) {}, "absent", {Outcome::kRemoved}},
      {"temporary name since taken by another file",
       true,
       false,
       [](const std::string& file) {
         fs::remove(file);
         Put(file, "other");
       },
       "other",
       {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const fs::path folder = dir_ / std::to_string(&row - rows);
    fs::create_directory(folder);
    const std::string file = (folder / (row.temporary ? ".orrikey1-0" : "p.raw")).string();
    Put(file, "old");
    fs::create_hard_link(file, folder / "twin.raw");
    const Descriptor fd(open(file.c_str(), O_RDWR));
    struct stat info {};
    ASSERT_EQ(fstat(fd.get(), &info), 0);

    PendingWrite pending;
    ASSERT_TRUE(row.temporary ? pending.BeginRemove(info, file) : pending.BeginRestore(fd.get(), info, file));
    if (!row.temporary) Put(file, "half");
    row.meanwhile(file);
    if (!row.writerAlive) pending.Keep();

    const auto results = RecoverInterruptedWrites();
    std::vector<Outcome> outcomes;
    for (const auto& result : results) {
      outcomes.push_back(result.outcome);
      EXPECT_EQ(result.path, file);
    }
    EXPECT_EQ(outcomes, row.outcomes);
    if (!results.empty() && row.outcomes[0] == Outcome::kRestored) {
      EXPECT_EQ(results[0].message,
                "\"" + file + "\" was restored to its content before a write that was cut short");
    }
    EXPECT_EQ(Content(file), row.after);
    if (row.after == "old") {
      EXPECT_EQ(InodeOf(file), InodeOf((folder / "twin.raw").string()));
    }
    EXPECT_EQ(Pending(), row.writerAlive ? 1 : 0);
    pending.Finish();
    EXPECT_EQ(Pending(), 0);
  }
}

// A writer killed while it made its entry, before it touched the file,
// leaves no whole entry: a restart drops it and changes nothing.
TEST_F(PendingWrites, EntryCutShortIsDropped) {
  Put(Path("p.raw"), "old");
  const Descriptor fd(open(Path("p.raw").c_str(), O_RDWR));
  struct stat info {};
  ASSERT_EQ(fstat(fd.get(), &info), 0);
  PendingWrite whole;
  ASSERT_TRUE(whole.BeginRestore(fd.get(), info, Path("p.raw")));
  const std::string entry = Content(whole.name());
  whole.Finish();
  for (size_t cut : {size_t{0}, size_t{10}, entry.size() - 1}) {
    Put(state_ / "orrikey/pending/write-1-0", entry.substr(0, cut));
    EXPECT_TRUE(RecoverInterruptedWrites().empty());
    EXPECT_EQ(Pending(), 0);
    EXPECT_EQ(Content(Path("p.raw")), "old");
  }
}

// The old content of a file overwritten in place must be kept before the
// file changes; where it cannot be, the file is left as it was.
TEST_F(PendingWrites, InPlaceWriteNeedsAPlaceForTheOldContent) {
  Put(Path("blocker"), "");
  const struct {
    const char* name;
    std::optional<std::string> state, home;  // unset when empty
    bool hardLinked;
    std::string error;
  } rows[] = {
      {"no folder, hard link",
       {},
       {},
       true,
       "Its old content cannot be kept while it is rewritten in place: neither XDG_STATE_HOME nor "
       "HOME names a folder"},
      {"relative folders, hard link", "state", "home", true,
       "Its old content cannot be kept while it is rewritten in place: neither XDG_STATE_HOME nor "
       "HOME names a folder"},
      {"folder under a file, hard link",
       Path("blocker"),
       {},
       true,
       "Its old content cannot be kept in \"" + Path("blocker") +
           "/orrikey/pending\" while it is rewritten in place. Not a directory"},
      {"no folder, one name", {}, {}, false, ""},
  };
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  const auto set = [](const char* name, const std::optional<std::string>& value) {
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const fs::path folder = dir_ / std::to_string(&row - rows);
    fs::create_directory(folder);
    const std::string file = (folder / "p.raw").string();
    Put(file, "old");
    if (row.hardLinked) fs::create_hard_link(file, folder / "twin.raw");
    set("XDG_STATE_HOME", row.state);
    set("HOME", row.home);
    std::string error = "no error";
    try {
      WriteWholeFile(file, "new");
    } catch (const std::runtime_error& caught) {
      error = caught.what();
    }
    setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(error, row.error.empty() ? "no error" : "Cannot create file \"" + file + "\". " + row.error);
    EXPECT_EQ(Content(file), row.error.empty() ? "new" : "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), row.hardLinked ? 2 : 1);
  }
}

// Files on a file system in memory, so that many writes of megabytes take
// little time.
class KilledWrites : public ScratchFolders {
 protected:
  fs::path Base() const override {
    return fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  }
};

// A writer that rewrites a file with two names and a file with one, over and
// over, killed at random moments: after a restart each file holds one whole
// content, its names agree, and nothing is left beside it or in the journal.
TEST_F(KilledWrites, LeaveEachFileWholeAfterARestart) {
  const std::string contents[] = {std::string(3 << 20, 'a'), std::string(2 << 20, 'b')};
  const std::string linked = Path("linked.raw"), twin = Path("twin.raw"), plain = Path("plain.raw");
  const auto writeAll = [&](const std::string& bytes) {
    WriteWholeFile(linked, bytes);
    WriteWholeFile(plain, bytes);
  };
  writeAll(contents[0]);
  fs::create_hard_link(linked, twin);
  // How long the writer takes for both files, to spread the kills over.
  const auto start = std::chrono::steady_clock::now();
  writeAll(contents[1]);
  const auto round = std::chrono::steady_clock::now() - start;

  std::mt19937 random(42);
  std::uniform_int_distribution<long> delay(
      0, std::chrono::duration_cast<std::chrono::microseconds>(round).count() * 3 / 2);
  int restored = 0, removed = 0;
  constexpr int kRuns = 250;
  for (int run = 0; run < kRuns; ++run) {
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      for (int i = 0;; ++i) writeAll(contents[i % 2]);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(writer, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);

    for (const auto& result : RecoverInterruptedWrites()) {
      ASSERT_NE(result.outcome, Outcome::kFailed) << result.message;
      (result.outcome == Outcome::kRestored ? restored : removed) += 1;
    }
    for (const std::string& file : {linked, plain}) {
      const std::string content = Content(file);
      ASSERT_TRUE(content == contents[0] || content == contents[1]) << file << " after run " << run;
    }
    ASSERT_EQ(InodeOf(linked), InodeOf(twin));
    ASSERT_EQ(Files(), 3) << "after run " << run;
    ASSERT_EQ(Pending(), 0) << "after run " << run;
  }
  RecordProperty("restored", restored);
  RecordProperty("removed", removed);
}

}  // namespace
}  // namespace orrikey::files
