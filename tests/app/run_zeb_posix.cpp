#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line_fixture.h"
#include "support/temp_dir.h"

namespace zeb::app_testing {

namespace {

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

}  // namespace

ZebExit RunZeb(const std::string& outputs, const std::vector<std::string>& arguments) {
  ZebExit outcome;
  int master = -1;
  int slave = -1;
  winsize size{};
  size.ws_col = 80;
  size.ws_row = 25;
  if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
    ADD_FAILURE() << "no pseudo-terminal";
    return outcome;
  }
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
    if (out < 0 || err < 0) _exit(127);
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
  std::string terminal;  // what it wrote to its terminal
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int status = 0;
  bool ended = false;
  while (std::chrono::steady_clock::now() < deadline) {
    Drain(master, terminal);
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
  Drain(master, terminal);
  termios after{};
  tcgetattr(slave, &after);
  EXPECT_EQ(terminal, "");
  EXPECT_TRUE(SameMode(before, after)) << "the terminal's mode changed";
  close(master);
  close(slave);
  outcome.Out = testing_support::ReadBytes(outFile);
  outcome.Err = testing_support::ReadBytes(errFile);
  return outcome;
}

}  // namespace zeb::app_testing
