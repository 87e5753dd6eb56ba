#include "e2e/tmux_session.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace zeb::e2e {

namespace {

using Clock = std::chrono::steady_clock;

void Nap() { std::this_thread::sleep_for(std::chrono::milliseconds(40)); }

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// ANSI colour index (0-7, red = bit 0) to the console's (blue = bit 0).
int ConsoleColour(int ansi, bool bright) {
  int c = ((ansi & 1) << 2) | (ansi & 2) | ((ansi & 4) >> 2);
  return bright ? c + 8 : c;
}

void ApplySgr(const std::string& params, int& fg, int& bg) {
  std::vector<int> values;
  std::string number;
  for (char c : params + ";") {
    if (c == ';') {
      values.push_back(number.empty() ? 0 : std::stoi(number));
      number.clear();
    } else {
      number += c;
    }
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    int v = values[i];
    if (v == 0) {
      fg = bg = -1;
    } else if (v >= 30 && v <= 37) {
      fg = ConsoleColour(v - 30, false);
    } else if (v >= 90 && v <= 97) {
      fg = ConsoleColour(v - 90, true);
    } else if (v >= 40 && v <= 47) {
      bg = ConsoleColour(v - 40, false);
    } else if (v >= 100 && v <= 107) {
      bg = ConsoleColour(v - 100, true);
    } else if (v == 39) {
      fg = -1;
    } else if (v == 49) {
      bg = -1;
    } else if ((v == 38 || v == 48) && i + 2 < values.size() && values[i + 1] == 5) {
      int n = values[i + 2];
      int colour = n < 8 ? ConsoleColour(n, false) : n < 16 ? ConsoleColour(n - 8, true) : n;
      (v == 38 ? fg : bg) = colour;
      i += 2;
    }
  }
}

}  // namespace

namespace {

// Starts the program of argv[0] (looked up on the PATH) with the file
// actions, which it then releases; the child's pid, or -1.
pid_t Spawn(const std::vector<std::string>& argv, posix_spawn_file_actions_t& actions) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

// The exit code of the child, or -1.
int ExitCode(pid_t pid) {
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int RunQuiet(const std::vector<std::string>& argv) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  return ExitCode(Spawn(argv, actions));
}

std::string RunCapture(const std::vector<std::string>& argv, int* exitCode) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  pid_t pid = Spawn(argv, actions);
  close(fds[1]);
  std::string out;
  char buffer[4096];
  ssize_t n;
  while (pid >= 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int code = ExitCode(pid);
  if (exitCode != nullptr) *exitCode = code;
  return out;
}

TmuxSession::TmuxSession(const std::string& directory, const std::string& command) : directory_(directory) {
  // A socket of its own per session: a server still shutting down after the
  // session before must not take this one's commands.
  static int sessions = 0;
  const std::string number = std::to_string(++sessions);
  socket_ = directory + "/.tmux-sock-" + number;
  // The exit status and the terminal's line modes after it also go to a
  // file of the session's, written whole (made beside it, then renamed): on
  // the screen they may wrap across two rows, wherever the program (or the
  // echo of keys sent after its end) left the cursor.
  exitFile_ = directory + "/.tmux-exit-" + number;
  std::string script = "cd '" + directory + "' && " + command +
                       "; s=$?; echo \"[exit $s]\";"
                       " m=$(stty -a | tr ' ' '\\n' | grep -x -e '-*icanon' -e '-*echo' | tr '\\n' ' '); echo \"$m\";"
                       " printf '%s\\n%s\\n' \"$s\" \"$m\" >'" + exitFile_ + ".new' && mv '" + exitFile_ + ".new' '" +
                       exitFile_ + "'; exec sleep 600";
  Tmux({"new-session", "-d", "-x", "80", "-y", "25", "-e", "LANG=C.UTF-8", "-e", "LC_ALL=C.UTF-8", "/bin/sh", "-c",
        script});
  Tmux({"set-option", "-g", "status", "off"});
}

TmuxSession::~TmuxSession() { Tmux({"kill-server"}); }

std::vector<std::string> TmuxSession::Tmux(std::vector<std::string> args) {
  std::vector<std::string> argv = {"tmux", "-u", "-f", "/dev/null", "-S", socket_};
  argv.insert(argv.end(), args.begin(), args.end());
  // The server that new-session starts would keep a pipe open for good, so
  // its output goes nowhere.
  if (args[0] == "new-session") {
    RunQuiet(argv);
    return {};
  }
  return SplitLines(RunCapture(argv));
}

void TmuxSession::Send(const std::string& bytes) { Tmux({"send-keys", "-t", "0", "-l", bytes}); }

namespace {

std::string MouseReport(int column, int row, char final) {
  return "\x1b[<0;" + std::to_string(column) + ";" + std::to_string(row) + final;
}

}  // namespace

void TmuxSession::Press(int column, int row) { Send(MouseReport(column, row, 'M')); }

void TmuxSession::Release(int column, int row) { Send(MouseReport(column, row, 'm')); }

void TmuxSession::Resize(int width, int height) {
  Tmux({"resize-window", "-t", "0", "-x", std::to_string(width), "-y", std::to_string(height)});
}

// Press and release in one write: the program takes them in one poll, which
// makes exactly one click. Sent apart, a busy machine may let the program see
// the button held for a while, and a held button repeats its click.
void TmuxSession::Click(int column, int row) { Send(MouseReport(column, row, 'M') + MouseReport(column, row, 'm')); }

std::vector<std::string> TmuxSession::Lines() {
  auto lines = Tmux({"capture-pane", "-p", "-t", "0"});
  lines.resize(25);
  return lines;
}

std::string TmuxSession::Line(int row) { return Lines()[static_cast<std::size_t>(row - 1)]; }

std::string TmuxSession::Screen() {
  std::vector<std::string> lines = Lines();
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::vector<std::vector<ScreenCell>> TmuxSession::Cells() {
  auto lines = Tmux({"capture-pane", "-p", "-e", "-t", "0"});
  std::vector<std::vector<ScreenCell>> rows;
  int fg = -1, bg = -1;
  for (const std::string& line : lines) {
    std::vector<ScreenCell> row;
    for (std::size_t i = 0; i < line.size();) {
      if (line[i] == '\x1b' && i + 1 < line.size() && line[i + 1] == '[') {
        std::size_t end = line.find_first_of("ABCDEFGHJKSTfmhl", i + 2);
        if (end == std::string::npos) break;
        if (line[end] == 'm') ApplySgr(line.substr(i + 2, end - i - 2), fg, bg);
        i = end + 1;
        continue;
      }
      std::size_t length = 1;
      auto byte = static_cast<unsigned char>(line[i]);
      if (byte >= 0xF0) length = 4;
      else if (byte >= 0xE0) length = 3;
      else if (byte >= 0xC0) length = 2;
      row.push_back(ScreenCell{line.substr(i, length), fg, bg});
      i += length;
    }
    rows.push_back(row);
  }
  rows.resize(25);
  for (auto& row : rows) row.resize(80, ScreenCell{" ", -1, -1});
  return rows;
}

ScreenCell TmuxSession::At(int column, int row) {
  return Cells()[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

std::string TmuxSession::Text(int column, int row, int length) {
  auto cells = Cells();
  std::string text;
  for (int c = column; c < column + length && c <= 80; ++c) {
    text += cells[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(c - 1)].Glyph;
  }
  return text;
}

bool TmuxSession::WaitForText(int column, int row, const std::string& text, double seconds) {
  int length = 0;
  for (unsigned char c : text) length += (c & 0xC0) != 0x80;
  return WaitUntil([&] { return Text(column, row, length) == text; }, seconds);
}

bool TmuxSession::WaitFor(const std::string& text, double seconds) {
  auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (Clock::now() < deadline) {
    for (const auto& line : Lines()) {
      if (line.find(text) != std::string::npos) return true;
    }
    Nap();
  }
  return false;
}

bool TmuxSession::WaitForLine(int row, const std::string& text, double seconds) {
  auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (Clock::now() < deadline) {
    if (Line(row).rfind(text, 0) == 0) return true;
    Nap();
  }
  return false;
}

bool TmuxSession::WaitGone(const std::string& text, double seconds) {
  auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (Clock::now() < deadline) {
    bool found = false;
    for (const auto& line : Lines()) found = found || line.find(text) != std::string::npos;
    if (!found) return true;
    Nap();
  }
  return false;
}

bool TmuxSession::WaitForColours(int column, int row, int foreground, int background, double seconds) {
  auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (Clock::now() < deadline) {
    ScreenCell cell = At(column, row);
    if (cell.Foreground == foreground && cell.Background == background) return true;
    Nap();
  }
  return false;
}

bool TmuxSession::WaitForExitFile(std::vector<std::string>& lines, double seconds) {
  return WaitUntil(
      [&] {
        lines = SplitLines(std::filesystem::exists(exitFile_) ? ReadBytes(exitFile_) : std::string());
        return lines.size() == 2;
      },
      seconds);
}

int TmuxSession::WaitExit(double seconds) {
  std::vector<std::string> lines;
  return WaitForExitFile(lines, seconds) ? std::atoi(lines[0].c_str()) : -1;
}

std::string TmuxSession::ModesAfterExit(double seconds) {
  std::vector<std::string> lines;
  if (!WaitForExitFile(lines, seconds)) return std::string();
  std::string modes = lines[1];
  while (!modes.empty() && modes.back() == ' ') modes.pop_back();
  return modes;
}

std::string TmuxSession::Query(const std::string& format) {
  auto lines = Tmux({"display-message", "-p", "-t", "0", format});
  return lines.empty() ? std::string() : lines[0];
}

int TmuxSession::ProgramPid() {
  std::string shell = Query("#{pane_pid}");
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string stat = ReadBytes(entry.path().string() + "/stat");
    // pid (comm) state ppid ...
    auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::size_t ppidStart = stat.find(' ', close + 2);
    if (ppidStart == std::string::npos) continue;
    if (std::to_string(std::atoi(stat.c_str() + ppidStart + 1)) == shell) return std::stoi(name);
  }
  return -1;
}

bool WaitUntil(const std::function<bool()>& condition, double seconds) {
  auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (Clock::now() < deadline) {
    if (condition()) return true;
    Nap();
  }
  return condition();
}

std::string ZebBinary() { return ZEB_BINARY; }
std::string StandinBinary() { return ZEB_STANDIN; }
std::string SourceDir() { return ZEB_SOURCE_DIR; }

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

}  // namespace zeb::e2e
