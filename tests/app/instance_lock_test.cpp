// One ZEB per directory: the mark of a directory taken and refused, two
// paths to one directory, and the built program refused where the test
// holds the mark, with --help, --version and a refused argument untouched by
// it. The same cases on both platforms; where the answers differ, the
// platform's are given.

#include "app/instance_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "emulator/processes.h"
#include "support/environment.h"
#include "support/instance_lock_print.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ThisProcessId;
using testing_support::WriteBytes;

constexpr bool OnWindows = fs::path::preferred_separator == '\\';
// How standard error ends a line.
const std::string LineEnd = OnWindows ? "\r\n" : "\n";

// Every entry of the directory with its content (or "<dir>").
std::map<std::string, std::string> Listing(const std::string& directory) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(directory)) {
    entries[entry.path().string()] = entry.is_directory() ? "<dir>" : ReadBytes(entry.path().string());
  }
  return entries;
}

TEST(InstanceLockTest, ASecondHolderIsRefusedWithTheFirstsIdUntilTheFirstLetsGo) {
  testing_support::TempDir dir;
  fs::create_directory("arcade");
  fs::create_directory("other");

  InstanceLock first;
  ASSERT_EQ(first.Take("arcade"), InstanceLockResult::Taken);
  EXPECT_TRUE(first.Holds());
  InstanceLock second;
  EXPECT_EQ(second.Take("arcade"), InstanceLockResult::Held);
  EXPECT_EQ(second.Holder(), ThisProcessId());
  EXPECT_FALSE(second.Holds());
  // Another directory is another mark, held beside the first.
  InstanceLock elsewhere;
  EXPECT_EQ(elsewhere.Take("other"), InstanceLockResult::Taken);

  first.Release();
  EXPECT_FALSE(first.Holds());
  EXPECT_EQ(second.Take("arcade"), InstanceLockResult::Taken);
  {
    // A moved lock keeps the mark; the lock it came from lets nothing go.
    InstanceLock moved(std::move(second));
    EXPECT_TRUE(moved.Holds());
    EXPECT_EQ(first.Take("arcade"), InstanceLockResult::Held);
  }
  // The lock's end lets the mark go.
  EXPECT_EQ(first.Take("arcade"), InstanceLockResult::Taken);
  // Taking the mark of another directory lets the first one go.
  EXPECT_EQ(first.Take("other"), InstanceLockResult::Held);
  EXPECT_EQ(second.Take("arcade"), InstanceLockResult::Taken);

  // Nothing was written in either directory.
  EXPECT_TRUE(fs::is_empty("arcade"));
  EXPECT_TRUE(fs::is_empty("other"));
}

TEST(InstanceLockTest, TwoPathsToOneDirectoryAreOneDirectory) {
  testing_support::TempDir dir;
  fs::create_directory("arcade");
  fs::create_directory("arcade/roms");
  InstanceLock first;
  ASSERT_EQ(first.Take("arcade"), InstanceLockResult::Taken);

  const std::pair<std::string, InstanceLockResult> paths[] = {
      {fs::absolute("arcade").string(), InstanceLockResult::Held},
      {"arcade/roms/..", InstanceLockResult::Held},
      {"./arcade/.", InstanceLockResult::Held},
      // The same letters in other case: the same directory where names are
      // compared so, no directory at all where they are not.
      {"ARCADE", OnWindows ? InstanceLockResult::Held : InstanceLockResult::Unusable},
      {"arcade/roms", InstanceLockResult::Taken},
      {"missing", InstanceLockResult::Unusable},
  };
  // A link to it: tests/app/instance_lock_posix_test.cpp (the Windows
  // build's C++ library makes no links).
  for (const auto& [path, result] : paths) {
    InstanceLock second;
    EXPECT_EQ(second.Take(path), result) << path;
    EXPECT_EQ(second.Holder(), result == InstanceLockResult::Held ? ThisProcessId() : 0) << path;
  }
  // A file is no directory to mark; a lock that was refused before names
  // no holder then.
  WriteBytes("zeb.ini", "0\r\n");
  InstanceLock file;
  ASSERT_EQ(file.Take("arcade"), InstanceLockResult::Held);
  EXPECT_EQ(file.Take("zeb.ini"), InstanceLockResult::Unusable);
  EXPECT_EQ(file.Holder(), 0);
}

TEST(InstanceLockTest, TheRefusalLine) {
  EXPECT_EQ(AlreadyRunningMessage(4242), "zeb: ZEB is already running in this directory (process 4242)");
  // When the holder's id cannot be learned, the line says no more.
  EXPECT_EQ(AlreadyRunningMessage(0), "zeb: ZEB is already running in this directory");
}

// The built program in a directory whose mark this test holds, as a second
// ZEB finds it: one line on standard error, status 1, nothing touched. The
// command line's own roads never look at the mark.
TEST(InstanceLockTest, TheProgramInAHeldDirectorySaysSoAndEndsTouchingNothing) {
  testing_support::TempDir outputs;
  testing_support::TempDir dir;  // the current directory, where zeb runs
  const std::string ini = "a settings file\r\nleft as it is\r\n";
  WriteBytes("zeb.ini", ini);
  InstanceLock mine;
  ASSERT_EQ(mine.Take("."), InstanceLockResult::Taken);

  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string error;  // what standard error says; "*" for anything
  } cases[] = {
      {{}, 1, "zeb: ZEB is already running in this directory (process " + std::to_string(ThisProcessId()) + ")"},
      {{"--help"}, 0, ""},
      {{"--version"}, 0, ""},
      {{"--bogus"}, 2, "*"},
  };
  const std::string out = outputs.Path() + "/out";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.empty() ? "no argument" : c.arguments[0]);
    const auto before = Listing(dir.Path());
    std::vector<std::string> words{"zeb"};
    words.insert(words.end(), c.arguments.begin(), c.arguments.end());
    CapturedRun run = RunIntoFile(ProgramFile{ZEB_BINARY, "zeb", ""}, words, out);
    ASSERT_TRUE(run.Started) << run.Reason;
    EXPECT_EQ(run.ExitStatus, c.status) << run.ErrorText;
    if (c.error == "*") {
      EXPECT_EQ(run.ErrorText.find("already running"), std::string::npos) << run.ErrorText;
    } else {
      EXPECT_EQ(run.ErrorText, c.error.empty() ? "" : c.error + LineEnd);
    }
    if (c.arguments.empty()) {
      EXPECT_EQ(ReadBytes(out), "");
    }
    EXPECT_EQ(Listing(dir.Path()), before);
  }
  EXPECT_EQ(ReadBytes("zeb.ini"), ini);
}

}  // namespace
}  // namespace zeb
