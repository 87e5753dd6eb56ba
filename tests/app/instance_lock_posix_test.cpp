// The POSIX marks of a directory, each with its holder in another process:
// named by its id, gone with it when it is killed (SIGKILL), kept by no
// program it started, and the lock-file folder left clean.

#include "app/instance_lock_posix.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "support/plain_user_posix.h"
#include "support/instance_lock_print.h"
#include "support/temp_dir.h"

extern char** environ;

namespace zeb {

void PrintTo(PosixMark mark, std::ostream* out) { *out << (mark == PosixMark::Socket ? "Socket" : "LockFile"); }

namespace {

namespace fs = std::filesystem;

// The lock files go here, in the test's directory, not in /tmp.
constexpr const char* Folder = "locks";

// A holder in a child process: it takes the mark of "arcade", starts a
// program that lives on (as the emulator would) when asked, says how it
// went, then waits to be killed.
struct Holder {
  pid_t Pid = -1;
  InstanceLockResult Result = InstanceLockResult::Unusable;  // as the child said
  bool Said = false;
  pid_t Program = 0;
};

Holder StartHolder(PosixMark mark, bool startProgram) {
  Holder holder;
  int report[2];
  if (pipe(report) != 0) return holder;
  holder.Pid = fork();
  if (holder.Pid == 0) {
    close(report[0]);
    InstanceLock lock;
    Holder said;
    said.Result = TakeMark(lock, "arcade", mark, Folder);
    said.Said = true;
    if (startProgram) {
      posix_spawn_file_actions_t actions;
      posix_spawn_file_actions_init(&actions);
      posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
      char* argv[] = {const_cast<char*>("sleep"), const_cast<char*>("600"), nullptr};
      if (posix_spawnp(&said.Program, "sleep", &actions, nullptr, argv, environ) != 0) said.Program = 0;
      posix_spawn_file_actions_destroy(&actions);
    }
    if (write(report[1], &said, sizeof said) != sizeof said) _exit(1);
    for (;;) pause();
  }
  close(report[1]);
  Holder said;
  if (holder.Pid > 0 && read(report[0], &said, sizeof said) == sizeof said) {
    said.Pid = holder.Pid;
    holder = said;
  }
  close(report[0]);
  return holder;
}

void Kill(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

class PosixMarkTest : public testing::TestWithParam<PosixMark> {
 protected:
  void SetUp() override {
    fs::create_directory("arcade");
    fs::create_directory("other");
    fs::create_directory(Folder);
    fs::create_directory_symlink("arcade", "link");
  }
  InstanceLockResult Take(InstanceLock& lock, const std::string& directory) {
    return TakeMark(lock, directory, GetParam(), Folder);
  }

  testing_support::TempDir dir;
};

TEST_P(PosixMarkTest, AHolderInAnotherProcessIsNamedAndItsKillLetsTheMarkGo) {
  Holder holder = StartHolder(GetParam(), /*startProgram=*/true);
  ASSERT_GT(holder.Pid, 0);
  ASSERT_TRUE(holder.Said);
  ASSERT_EQ(holder.Result, InstanceLockResult::Taken);
  EXPECT_GT(holder.Program, 0) << "the program that outlives its starter";

  InstanceLock second;
  EXPECT_EQ(Take(second, "arcade"), InstanceLockResult::Held);
  EXPECT_EQ(second.Holder(), holder.Pid);
  EXPECT_EQ(Take(second, "link"), InstanceLockResult::Held);
  EXPECT_EQ(second.Holder(), holder.Pid);
  EXPECT_EQ(Take(second, "other"), InstanceLockResult::Taken);
  second.Release();

  // Killed: the mark goes with it, though the program it started still
  // runs. The lock file stays behind (outside the directory) and is taken
  // over.
  Kill(holder.Pid);
  EXPECT_EQ(fs::is_empty(Folder), GetParam() == PosixMark::Socket);
  EXPECT_EQ(Take(second, "arcade"), InstanceLockResult::Taken);
  EXPECT_EQ(kill(holder.Program, 0), 0) << "the program has ended; this test proves nothing";
  Kill(holder.Program);

  // Let go: nothing is left anywhere.
  second.Release();
  EXPECT_TRUE(fs::is_empty(Folder));
  EXPECT_TRUE(fs::is_empty("arcade"));
}

TEST_P(PosixMarkTest, TwoHoldersInOneProcessAreTwoHolders) {
  InstanceLock first, second;
  ASSERT_EQ(Take(first, "arcade"), InstanceLockResult::Taken);
  EXPECT_EQ(Take(second, "arcade"), InstanceLockResult::Held);
  EXPECT_EQ(second.Holder(), getpid());
  first.Release();
  EXPECT_EQ(Take(second, "arcade"), InstanceLockResult::Taken);
}

INSTANTIATE_TEST_SUITE_P(EachMark, PosixMarkTest, testing::ValuesIn(PosixMarks()),
                         [](const testing::TestParamInfo<PosixMark>& info) {
                           return testing::PrintToString(info.param);
                         });

// A lock file that another user made (or that cannot be written): it still
// shows who holds it, and when nobody does, it is not taken over.
TEST(PosixMarks, ALockFileThatCannotBeWrittenShowsItsHolderButIsNotTaken) {
  testing_support::TempDir dir;
  fs::create_directory("arcade");
  fs::create_directory(Folder);
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(Folder, 0755), 0);
  Holder holder = StartHolder(PosixMark::LockFile, /*startProgram=*/false);
  ASSERT_TRUE(holder.Said);
  ASSERT_EQ(holder.Result, InstanceLockResult::Taken);
  const std::string file = std::string(Folder) + "/" + MarkName("arcade");
  ASSERT_TRUE(fs::exists(file));
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);

  auto look = [] {
    InstanceLock lock;
    InstanceLockResult result = TakeMark(lock, "arcade", PosixMark::LockFile, Folder);
    std::ostringstream said;
    PrintTo(result, &said);
    said << " " << lock.Holder();
    return said.str();
  };
  std::optional<std::string> held = testing_support::RunAsPlainUser(look);
  ASSERT_TRUE(held.has_value());
  EXPECT_EQ(*held, "Held " + std::to_string(holder.Pid));

  Kill(holder.Pid);
  std::optional<std::string> free = testing_support::RunAsPlainUser(look);
  ASSERT_TRUE(free.has_value());
  EXPECT_EQ(*free, "Unusable 0");
  EXPECT_TRUE(fs::exists(file));  // not removed by a start that could not take it
}

}  // namespace
}  // namespace zeb
