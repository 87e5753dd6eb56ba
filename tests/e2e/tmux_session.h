#pragma once
// Runs a program in a real terminal: a private tmux server, an 80 x 25 pane,
// keys and mouse reports sent as raw bytes, the screen read back with its
// colours. Every wait has a deadline; nothing relies on a fixed sleep.

#include <functional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

// How long a wait lasts at most, in seconds. The Windows build's end-to-end
// tests run the program under wine, whose console answers far more slowly on
// a busy machine (a key can take over ten seconds to show): their program
// is built with a longer one (cmake/windows_e2e.cmake).
#ifndef ZEB_E2E_WAIT_SECONDS
#define ZEB_E2E_WAIT_SECONDS 10.0
#endif

namespace zeb::e2e {

inline constexpr double DefaultWait = ZEB_E2E_WAIT_SECONDS;

// Runs a program (no shell) and returns what it printed on standard output.
std::string RunCapture(const std::vector<std::string>& argv, int* exitCode = nullptr);
// Runs a program with its standard streams on /dev/null; its exit code.
int RunQuiet(const std::vector<std::string>& argv);

struct ScreenCell {
  std::string Glyph;   // UTF-8
  int Foreground = -1;  // console colour number, -1 for the terminal default
  int Background = -1;
};

class TmuxSession {
 public:
  // Starts `command` (a shell command line) in `directory`. When the command
  // ends, the pane prints "[exit N]" and the terminal's modes, then stays;
  // both go to a file of the session's in the directory too
  // (".tmux-exit-<n>", beside its socket ".tmux-sock-<n>").
  TmuxSession(const std::string& directory, const std::string& command);
  ~TmuxSession();
  TmuxSession(const TmuxSession&) = delete;
  TmuxSession& operator=(const TmuxSession&) = delete;

  void Send(const std::string& bytes);
  // A click: the SGR press and its release in one write.
  void Click(int column, int row);
  // The press and the release alone, for a test that holds the button.
  void Press(int column, int row);
  void Release(int column, int row);
  // The terminal becomes `width` x `height` cells (the program gets SIGWINCH).
  void Resize(int width, int height);

  // The screen as text, one string per row (trailing blanks kept off).
  std::vector<std::string> Lines();
  std::string Line(int row);  // 1-based
  // The rows that hold something, one a line: for a failure's message.
  std::string Screen();
  // The screen with colours, [row][column], 1-based through At().
  std::vector<std::vector<ScreenCell>> Cells();
  ScreenCell At(int column, int row);
  // The glyphs of `length` cells from (column, row), as UTF-8.
  std::string Text(int column, int row, int length);
  bool WaitForText(int column, int row, const std::string& text, double seconds = DefaultWait);

  // Waits until the screen holds `text` (anywhere), up to `seconds`.
  bool WaitFor(const std::string& text, double seconds = DefaultWait);
  // Waits until `row` (1-based) starts with `text`.
  bool WaitForLine(int row, const std::string& text, double seconds = DefaultWait);
  bool WaitGone(const std::string& text, double seconds = DefaultWait);
  // Waits until the cell shows those colours.
  bool WaitForColours(int column, int row, int foreground, int background, double seconds = DefaultWait);
  // Waits for the program to end; returns its exit code or -1. Read from
  // the session's status file, never from the screen.
  int WaitExit(double seconds = DefaultWait);
  // Waits for the program to end; the terminal's line modes after it, as
  // stty names them ("icanon echo" when it is in its normal mode), or ""
  // when it never ended.
  std::string ModesAfterExit(double seconds = DefaultWait);

  // A tmux format of the pane, e.g. "#{alternate_on}".
  std::string Query(const std::string& format);
  // The pid of the program started in the pane (the shell's child).
  int ProgramPid();

 private:
  std::vector<std::string> Tmux(std::vector<std::string> args);
  // The status file's two lines (status, modes), once it is there.
  bool WaitForExitFile(std::vector<std::string>& lines, double seconds);
  std::string socket_;
  std::string exitFile_;
  std::string directory_;
};

// Waits until the condition holds, up to `seconds`.
bool WaitUntil(const std::function<bool()>& condition, double seconds = DefaultWait);

// The built programs and the source tree.
std::string ZebBinary();
std::string StandinBinary();
std::string SourceDir();

// The temporary directory and whole-file helpers of every test.
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::Touch;
using testing_support::WriteBytes;

bool Exists(const std::string& path);

}  // namespace zeb::e2e
