// The built program with arguments: what it prints where, its exit status,
// and that it leaves the directory and the terminal as they were. It runs
// with a pseudo-terminal as its controlling terminal and standard input,
// so that anything it did to a terminal would show there.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

struct Outcome {
  int Status = -1;  // the exit status, or -1 when it did not end in time
  std::string Out;
  std::string Err;
  std::string Terminal;  // what it wrote to its terminal
  bool ModeKept = false;
};

bool SameMode(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
         std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// Reads what is there on `fd` now.
void Drain(int fd, std::string& into) {
  pollfd in{fd, POLLIN, 0};
  while (poll(&in, 1, 0) > 0 && (in.revents & POLLIN)) {
    char bytes[4096];
    ssize_t count = read(fd, bytes, sizeof bytes);
    if (count <= 0) break;
    into.append(bytes, static_cast<std::size_t>(count));
  }
}

// Runs zeb in `directory` with `arguments`; its standard output and error go
// to files of `outputs` (another directory).
Outcome RunZeb(const std::string& directory, const std::string& outputs, const std::vector<std::string>& arguments) {
  Outcome outcome;
  int master = -1;
  int slave = -1;
  winsize size{};
  size.ws_col = 80;
  size.ws_row = 25;
  if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) return outcome;
  termios before{};
  tcgetattr(slave, &before);
  std::string outFile = outputs + "/out";
  std::string errFile = outputs + "/err";

  pid_t child = fork();
  if (child == 0) {
    setsid();
    ioctl(slave, TIOCSCTTY, 0);
    int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || chdir(directory.c_str()) != 0) _exit(127);
    dup2(slave, 0);
    dup2(out, 1);
    dup2(err, 2);
    close(master);
    std::vector<char*> argv;
    std::string program = ZEB_BINARY;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }

  // Waits with a deadline; a program that started instead would wait for a
  // key for ever.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int status = 0;
  bool ended = false;
  while (std::chrono::steady_clock::now() < deadline) {
    Drain(master, outcome.Terminal);
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) {
      ended = true;
      break;
    }
    pollfd in{master, POLLIN, 0};
    poll(&in, 1, 10);
  }
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  } else if (WIFEXITED(status)) {
    outcome.Status = WEXITSTATUS(status);
  }
  Drain(master, outcome.Terminal);
  termios after{};
  tcgetattr(slave, &after);
  outcome.ModeKept = SameMode(before, after);
  close(master);
  close(slave);
  outcome.Out = ReadBytes(outFile);
  outcome.Err = ReadBytes(errFile);
  return outcome;
}

// Every entry of the directory with its content (or "<dir>").
std::map<std::string, std::string> Listing(const std::string& directory) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(directory)) {
    entries[entry.path().string()] = entry.is_directory() ? "<dir>" : ReadBytes(entry.path().string());
  }
  return entries;
}

class CommandLineTest : public ::testing::Test {
 protected:
  // Runs zeb in the directory under test and checks that nothing changed
  // there or on the terminal.
  Outcome Run(const std::vector<std::string>& arguments) {
    auto before = Listing(dir.Path());
    Outcome outcome = RunZeb(dir.Path(), outputs.Path(), arguments);
    EXPECT_EQ(Listing(dir.Path()), before);
    EXPECT_EQ(outcome.Terminal, "");
    EXPECT_TRUE(outcome.ModeKept);
    return outcome;
  }

  testing_support::TempDir outputs;
  testing_support::TempDir dir;  // the current directory of the test, too
};

TEST_F(CommandLineTest, HelpAndVersionInAnEmptyDirectory) {
  for (const char* help : {"--help", "-h"}) {
    Outcome outcome = Run({help});
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_EQ(outcome.Out.rfind("Usage: zeb [--help | --version]\n", 0), 0u);
    EXPECT_NE(outcome.Out.find("Exit status"), std::string::npos);
    EXPECT_EQ(outcome.Err, "");
  }
  for (const char* version : {"--version", "-V"}) {
    Outcome outcome = Run({version});
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_EQ(outcome.Out, "ZEB v1.1\n");
    EXPECT_EQ(outcome.Err, "");
  }
  EXPECT_TRUE(fs::is_empty(dir.Path()));  // no RunMe.bat, no mame.ini
}

TEST_F(CommandLineTest, VersionReadsTheSettingsFileAndLeavesItAlone) {
  std::string ini;
  for (int i = 1; i <= 45; ++i) ini += i == 6 ? "not a number\r\n" : "0\r\n";
  WriteBytes("zeb.ini", ini + "X.E.M. 0.37b9\r\n");
  WriteBytes("listfull.txt", "name      description\r\n");
  Outcome outcome = Run({"--version"});
  EXPECT_EQ(outcome.Status, 0);
  EXPECT_EQ(outcome.Out, "ZEB v1.1\nEmulator version in zeb.ini: X.E.M. 0.37b9\n");
  EXPECT_EQ(outcome.Err, "");
}

TEST_F(CommandLineTest, AnyOtherArgumentIsRefusedWithStatusTwo) {
  WriteBytes("mame.exe", "not run\n");
  chmod("mame.exe", 0755);
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus"}, "zeb: unknown argument '--bogus'\n"},
      {{"--help", "zeb.ini"}, "zeb: unknown argument 'zeb.ini'\n"},
      {{"-V", "-h"}, "zeb: one argument at most: '-h' is one too many\n"},
      {{"\x1b[?1049h"}, "zeb: unknown argument '\\x1B[?1049h'\n"},
  };
  for (const auto& [arguments, line] : cases) {
    Outcome outcome = Run(arguments);
    EXPECT_EQ(outcome.Status, 2);
    EXPECT_EQ(outcome.Out, "");
    EXPECT_EQ(outcome.Err, line + "Try 'zeb --help'.\n");
  }
}

TEST_F(CommandLineTest, AFailedWriteIsAnErrorReport) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
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
