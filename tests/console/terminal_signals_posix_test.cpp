// The terminal's safety net at a termination: the new file of a save in
// progress goes with the program.

#include "console/terminal_signals_posix.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "storage/work_file.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

std::vector<std::string> Entries() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) names.push_back(entry.path().filename().string());
  return names;
}

TEST(TerminalSignals, ATerminationDuringASaveRemovesTheSavesNewFile) {
  testing_support::TempDir dir;
  testing_support::WriteBytes("zeb.ini", "the old settings\r\n");
  int output[2];
  ASSERT_EQ(pipe(output), 0);

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The handlers on a terminal of the test's own, which is never taken.
    close(output[0]);
    const termios mode{};
    InstallTerminalSignals(-1, output[1], mode, mode);
    TextFile save;
    save.CreateReplacing("zeb.ini");
    save.WriteLine("the new settings");
    if (Entries().size() != 2) _exit(3);  // no new file beside zeb.ini
    raise(SIGTERM);
    _exit(4);  // the signal did not end the program
  }
  close(output[1]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_EQ(Entries(), std::vector<std::string>{"zeb.ini"});
  EXPECT_EQ(testing_support::ReadBytes("zeb.ini"), "the old settings\r\n");
  // Nothing was written to the terminal: there was nothing to give back.
  char byte = 0;
  EXPECT_EQ(read(output[0], &byte, 1), 0);
  close(output[0]);
}

}  // namespace
}  // namespace zeb
