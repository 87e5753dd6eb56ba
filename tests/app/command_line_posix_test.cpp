// The built program when its standard output cannot be written.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "app/command_line_fixture.h"

namespace zeb {
namespace {

using app_testing::CommandLineTest;

TEST_F(CommandLineTest, AFailedWriteIsAnErrorReport) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  pid_t child = fork();
  if (child == 0) {
    int full = open("/dev/full", O_WRONLY);
    int null = open("/dev/null", O_WRONLY);
    dup2(full, 1);
    dup2(null, 2);
    execl(ZEB_BINARY, ZEB_BINARY, "--help", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
}  // namespace zeb
