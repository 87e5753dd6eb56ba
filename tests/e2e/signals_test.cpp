// Signals to the running program in a real terminal: an end while the
// emulator runs, and a stop and a continue from the shell's job control.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>

#include "e2e/emulator_dir.h"

namespace zeb::e2e {
namespace {

// The demo after its first run's import, with an emulator that notes its
// process id in emulator.pid and then runs until it is ended. A stubborn
// one ignores the polite signals: only a kill ends it. Asked for its
// options before the launch, it refuses at once, as the classic one does.
void PrepareLingeringEmulator(const TempDir& dir, bool stubborn) {
  PrepareDemo(dir);
  StartAndQuit(dir);
  std::string script = "#!/bin/sh\n[ \"$1\" = -showusage ] && exit 6\n"
                       "echo $$ > emulator.pid.new && mv emulator.pid.new emulator.pid\n";
  if (stubborn) script += "trap '' TERM HUP\n";
  script += "exec sleep 600\n";
  std::filesystem::remove(dir.File("mame.exe"));
  WriteBytes(dir.File("mame.exe"), script);
  chmod(dir.File("mame.exe").c_str(), 0755);
}

struct Running {
  int Program = 0;   // zeb
  int Emulator = 0;  // the game it launched
};

// Enter on the games list, once it shows, launches the selected game; the
// processes once the emulator runs (0 where one did not come).
Running LaunchAGame(TmuxSession& term, const TempDir& dir) {
  Running running;
  if (!WaitForGamesList(term)) return running;
  term.Send("\r");
  if (!WaitUntil([&] { return Exists(dir.File("emulator.pid")); })) return running;
  running.Emulator = std::stoi(ReadBytes(dir.File("emulator.pid")));
  running.Program = term.ProgramPid();
  return running;
}

// Gone for good: no such process, or one that only waits to be collected.
bool ProcessGone(int pid) {
  std::string stat = ReadBytes("/proc/" + std::to_string(pid) + "/stat");
  if (stat.empty()) return true;
  std::size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

TEST(Signals, AnEndWhileTheEmulatorRunsEndsTheEmulatorToo) {
  for (bool stubborn : {false, true}) {
    SCOPED_TRACE(stubborn ? "an emulator that ignores the signal" : "an emulator that ends on it");
    TempDir dir{TempDir::Stay};
    PrepareLingeringEmulator(dir, stubborn);
    TmuxSession term(dir.Path(), ZebBinary());
    const Running running = LaunchAGame(term, dir);
    const int program = running.Program, emulator = running.Emulator;
    ASSERT_GT(emulator, 0);
    ASSERT_GT(program, 0);

    int signal = stubborn ? SIGTERM : SIGHUP;
    kill(program, signal);
    EXPECT_EQ(term.WaitExit(), 128 + signal);
    ExpectTerminalRestored(term);
    EXPECT_TRUE(WaitUntil([&] { return ProcessGone(emulator); }));
    if (!ProcessGone(emulator)) kill(emulator, SIGKILL);
  }
}

// Line editing and echo on the pane's terminal, read from the terminal
// itself: the shell prints nothing while the program is stopped.
bool PaneInLineMode(TmuxSession& term) {
  int fd = open(term.Query("#{pane_tty}").c_str(), O_RDONLY | O_NOCTTY);
  if (fd < 0) return false;
  termios mode{};
  bool read = tcgetattr(fd, &mode) == 0;
  close(fd);
  return read && (mode.c_lflag & ICANON) != 0 && (mode.c_lflag & ECHO) != 0;
}

TEST(Signals, AStopGivesTheTerminalBackAndAContinueTakesItAgain) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  // A shell with job control, as the user's: the program runs as a job of
  // its own; when it stops, the shell reads a line and then continues it in
  // the foreground.
  TmuxSession term(dir.Path(), "set -m; " + ZebBinary() + "; read line; fg");
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_EQ(term.Query("#{alternate_on}#{mouse_button_flag}#{mouse_sgr_flag}"), "111");
  int program = term.ProgramPid();
  ASSERT_GT(program, 0);

  kill(program, SIGTSTP);
  ASSERT_TRUE(WaitUntil([&] { return term.Query("#{alternate_on}") == "0"; }));
  EXPECT_EQ(term.Query("#{cursor_flag}"), "1");
  EXPECT_EQ(term.Query("#{mouse_any_flag}#{mouse_button_flag}#{mouse_all_flag}#{mouse_sgr_flag}"), "0000");
  EXPECT_TRUE(PaneInLineMode(term));
  EXPECT_TRUE(WaitUntil([&] { return ReadBytes("/proc/" + std::to_string(program) + "/stat").find(") T ") !=
                                     std::string::npos; }));

  term.Send("\r");  // the shell continues the program
  ASSERT_TRUE(WaitUntil([&] { return term.Query("#{alternate_on}") == "1"; }));
  // Everything is drawn again, mouse reporting is back, keys work.
  ASSERT_TRUE(WaitForGamesList(term));
  EXPECT_TRUE(term.WaitForText(2, 4, "astrobee  Astro Bee (World)"));
  EXPECT_TRUE(term.WaitFor("X Z.E.B. Zestful Game Launcher"));
  EXPECT_EQ(term.Query("#{mouse_button_flag}#{mouse_sgr_flag}#{cursor_flag}"), "110");
  EXPECT_FALSE(PaneInLineMode(term));
  term.Send("\x1b[B");
  EXPECT_TRUE(term.WaitForText(2, 4, "astrobej"));
  term.Click(10, 5);
  EXPECT_TRUE(WaitUntil([&] { return term.At(2, 5).Foreground == 0; }));  // the highlight bar
  EXPECT_EQ(QuitWithEscape(term), 0);
  ExpectTerminalRestored(term);
}

// The keyboard's stop while the emulator has the terminal stops both; the
// continue gives our screen back but leaves the terminal's mode to the
// emulator until it ends.
TEST(Signals, AStopWhileTheEmulatorRunsLeavesItTheTerminalUntilItEnds) {
  TempDir dir{TempDir::Stay};
  PrepareLingeringEmulator(dir, false);
  TmuxSession term(dir.Path(), "set -m; " + ZebBinary() + "; read line; fg");
  const Running running = LaunchAGame(term, dir);
  const int program = running.Program, emulator = running.Emulator;
  ASSERT_GT(emulator, 0);
  ASSERT_GT(program, 0);
  EXPECT_TRUE(PaneInLineMode(term));

  kill(-program, SIGTSTP);  // the whole job, as Ctrl+Z in the emulator's mode
  ASSERT_TRUE(WaitUntil([&] { return term.Query("#{alternate_on}") == "0"; }));
  term.Send("\r");  // fg
  ASSERT_TRUE(WaitUntil([&] { return term.Query("#{alternate_on}") == "1"; }));
  EXPECT_TRUE(WaitUntil([&] { return ReadBytes("/proc/" + std::to_string(emulator) + "/stat").find(") S ") !=
                                     std::string::npos; }));
  EXPECT_TRUE(PaneInLineMode(term));
  EXPECT_EQ(term.Query("#{mouse_any_flag}#{mouse_button_flag}#{mouse_all_flag}#{mouse_sgr_flag}"), "0000");

  kill(emulator, SIGTERM);
  ASSERT_TRUE(term.WaitForLine(25, "Press any key to continue....."));
  ASSERT_TRUE(BackToGamesList(term));
  EXPECT_FALSE(PaneInLineMode(term));
  EXPECT_EQ(term.Query("#{mouse_button_flag}#{mouse_sgr_flag}"), "11");
  EXPECT_EQ(QuitWithEscape(term), 0);
}

}  // namespace
}  // namespace zeb::e2e
