// The terminal backend on a pseudo-terminal: modes, what it writes, what it
// reads.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "console/terminal_posix.h"
#include "console/terminal_render.h"
#include "describe_events.h"
#include "virtual_terminal.h"

namespace zeb {
namespace {

using Clock = std::chrono::steady_clock;

// Whether `text` ends with `tail`; a failure shows both ends.
testing::AssertionResult EndsWith(const char*, const char*, const std::string& text, const std::string& tail) {
  if (text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "ends with \"" << text.substr(text.size() - std::min(text.size(), tail.size()))
                                     << "\", not \"" << tail << "\"";
}

class TerminalPtyTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenPty(80, 25); }
  void TearDown() override {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }

  void OpenPty(int width, int height) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(width);
    size.ws_row = static_cast<unsigned short>(height);
    ASSERT_EQ(openpty(&master_, &slave_, nullptr, nullptr, &size), 0);
    ASSERT_EQ(tcgetattr(slave_, &original_), 0);
  }

  void Resize(int width, int height) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(width);
    size.ws_row = static_cast<unsigned short>(height);
    ioctl(master_, TIOCSWINSZ, &size);
  }

  // Everything the backend has written so far.
  std::string Output() {
    std::string text;
    // The backend's writes are done when it returns; the pseudo-terminal
    // may pass them on a little later on a busy machine.
    pollfd in{master_, POLLIN, 0};
    while (poll(&in, 1, 100) > 0) {
      char bytes[4096];
      ssize_t count = read(master_, bytes, sizeof bytes);
      if (count <= 0) break;
      text.append(bytes, static_cast<std::size_t>(count));
    }
    return text;
  }

  void Type(std::string_view bytes) {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    tcdrain(master_);
    pollfd in{slave_, POLLIN, 0};
    poll(&in, 1, 1000);  // until the bytes have reached the other side
  }

  termios Mode() {
    termios mode{};
    tcgetattr(slave_, &mode);
    return mode;
  }

  std::string Events(TerminalBackend& terminal) {
    std::string text;
    terminal.BeginPoll();
    InputEvent event;
    while (terminal.NextEvent(event)) {
      if (!text.empty()) text += ' ';
      text += Describe(event);
    }
    return text;
  }

  int master_ = -1;
  int slave_ = -1;
  termios original_{};
};

TEST_F(TerminalPtyTest, TakesAndGivesBackTheTerminal) {
  TerminalBackend terminal(slave_, slave_);
  ASSERT_TRUE(terminal.Start());
  termios raw = Mode();
  EXPECT_EQ(raw.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(raw.c_iflag & (ICRNL | IXON), 0u);
  VirtualTerminal screen;
  screen.Apply(Output());
  EXPECT_TRUE(screen.AlternateScreen);

  terminal.SetMouseReporting(true);
  ScreenModel model;
  model.CursorVisible = false;
  terminal.Present(model);
  screen.Apply(Output());
  EXPECT_TRUE(screen.MouseReporting);
  EXPECT_FALSE(screen.CursorVisible);

  terminal.Restore(model);
  screen.Apply(Output());
  EXPECT_EQ(screen.Errors, "");
  EXPECT_FALSE(screen.AlternateScreen);
  EXPECT_FALSE(screen.MouseReporting);
  EXPECT_TRUE(screen.CursorVisible);
  termios back = Mode();
  EXPECT_EQ(back.c_lflag, original_.c_lflag);
  EXPECT_EQ(back.c_iflag, original_.c_iflag);

  terminal.Restore(model);  // a second time: nothing more
  terminal.Present(model);
  EXPECT_EQ(Output(), "");
}

TEST_F(TerminalPtyTest, PresentWritesOnlyChanges) {
  TerminalBackend terminal(slave_, slave_);
  ASSERT_TRUE(terminal.Start());
  VirtualTerminal screen;
  ScreenModel model;
  model.CursorVisible = false;
  model.Cells[0][0] = Cell{'Z', 15 + 16 * 1};
  terminal.Present(model);
  screen.Apply(Output());
  EXPECT_EQ(screen.Compare(model), "");

  terminal.Present(model);
  EXPECT_EQ(Output(), "");

  model.Cells[10][10] = Cell{0xDB, 14};
  terminal.Present(model);
  std::string change = Output();
  EXPECT_LT(change.size(), 20u);
  screen.Apply(change);
  EXPECT_EQ(screen.Compare(model), "");

  terminal.RepaintAll();
  terminal.Present(model);
  std::string full = Output();
  EXPECT_NE(full.find("\x1b[2J"), std::string::npos);
  EXPECT_GT(full.size(), 2000u);

  terminal.Beep();
  EXPECT_EQ(Output(), "\a");
  terminal.Restore(model);
}

TEST_F(TerminalPtyTest, ReadsKeysMouseAndLoneEscape) {
  TerminalBackend terminal(slave_, slave_);
  ASSERT_TRUE(terminal.Start());
  Output();

  Type("\x1b[A" "a\x7f\r\x03");
  EXPECT_EQ(Events(terminal), "x72 k97 k8 k13 k3");

  Type("\x1b[<0;3;4M\x1b[<0;3;4m");
  EXPECT_EQ(Events(terminal), "m3,4,1 m3,4,0");

  Type("\x1b");
  auto start = Clock::now();
  EXPECT_EQ(Events(terminal), "k27");
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(20));

  // The rest of a sequence that comes within the wait completes it. (Tried
  // a few times: a busy machine may stretch the 5 ms past the wait.)
  bool completed = false;
  for (int attempt = 0; attempt < 20 && !completed; ++attempt) {
    Type("\x1b");
    std::thread later([this] {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      ssize_t ignored = write(master_, "[B", 2);
      (void)ignored;
    });
    std::string events = Events(terminal);
    later.join();
    if (events != "x80") events += std::string(" ") + Events(terminal);
    completed = events == "x80";
    if (!completed) {
      EXPECT_EQ(events, "k27 k91 k66");
    }
  }
  EXPECT_TRUE(completed);
  terminal.Restore(ScreenModel());
}

TEST_F(TerminalPtyTest, WaitInputSleepsUntilInputComes) {
  TerminalBackend terminal(slave_, slave_);
  ASSERT_TRUE(terminal.Start());
  auto start = Clock::now();
  std::clock_t cpu = std::clock();
  std::thread later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ssize_t ignored = write(master_, "q", 1);
    (void)ignored;
  });
  terminal.WaitInput();
  later.join();
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(140));
  // Blocked, not spinning: far less processor time than wall time.
  EXPECT_LT(static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, 0.05);
  EXPECT_EQ(Events(terminal), "k113");

  start = Clock::now();
  terminal.Sleep(30);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(30));
  terminal.Restore(ScreenModel());
}

TEST_F(TerminalPtyTest, SuspendKeepsTheScreenAndResumeWritesOnlyChanges) {
  TerminalBackend terminal(slave_, slave_);
  ASSERT_TRUE(terminal.Start());
  terminal.SetMouseReporting(true);
  VirtualTerminal screen;
  ScreenModel model;
  model.CursorVisible = false;
  // A blacked-out screen (black full blocks) with "Starting..." on row 3.
  for (auto& row : model.Cells) {
    for (Cell& cell : row) cell = Cell{0xDB, 0 + 16 * 15};
  }
  for (int column = 0; column < 16; ++column) model.Cells[2][column] = Cell{'S', 15};
  terminal.Suspend(model);
  screen.Apply(Output());
  EXPECT_EQ(screen.Compare(model), "");
  EXPECT_EQ(screen.Row, 4);  // below the last row with text
  EXPECT_EQ(screen.Column, 1);
  EXPECT_TRUE(screen.CursorVisible);
  EXPECT_FALSE(screen.MouseReporting);
  EXPECT_NE(Mode().c_lflag & ICANON, 0u);

  // The other program writes on the terminal.
  std::string theirs = "mame output";
  ASSERT_EQ(write(slave_, theirs.data(), theirs.size()), static_cast<ssize_t>(theirs.size()));
  screen.Apply(Output());

  terminal.Resume();
  EXPECT_EQ(Mode().c_lflag & ICANON, 0u);
  model.Cells[24][0] = Cell{'P', 7};
  terminal.Present(model);
  std::string after = Output();
  screen.Apply(after);
  EXPECT_EQ(after.find("\x1b[2J"), std::string::npos);
  EXPECT_EQ(screen.RowText(4).substr(0, 11), "mame output");  // still readable
  EXPECT_EQ(screen.Cells[24][0].Glyph, "P");
  EXPECT_FALSE(screen.CursorVisible);

  terminal.RepaintAll();
  terminal.Present(model);
  screen.Apply(Output());
  EXPECT_EQ(screen.Compare(model), "");
  terminal.Restore(model);
}

// The other program's plain text shows in the launch screen's light grey on
// black, whatever colours the terminal has of its own; the line that a
// scroll brings in below a full screen too.
TEST_F(TerminalPtyTest, SuspendHandsTheTerminalOverInTheLaunchScreensColours) {
  TerminalBackend terminal(slave_, slave_);
  ASSERT_TRUE(terminal.Start());
  terminal.SetMouseReporting(true);
  VirtualTerminal screen;
  ScreenModel model;
  model.CursorVisible = false;
  for (int column = 0; column < 16; ++column) model.Cells[0][column] = Cell{'S', 15};
  terminal.Suspend(model);
  std::string handOver = Output();
  screen.Apply(handOver);
  EXPECT_PRED_FORMAT2(EndsWith, handOver, "\x1b[0;37;40m\x1b[2H\x1b[?25h\x1b[?7h\x1b[?1002l\x1b[?1006l");
  EXPECT_EQ(screen.Foreground, SgrForeground(7));
  EXPECT_EQ(screen.Background, SgrBackground(0));

  std::string theirs = "mame output";
  ASSERT_EQ(write(slave_, theirs.data(), theirs.size()), static_cast<ssize_t>(theirs.size()));
  screen.Apply(Output());
  EXPECT_EQ(screen.RowText(2).substr(0, 11), "mame output");
  EXPECT_EQ(screen.Cells[1][0].Foreground, 37);
  EXPECT_EQ(screen.Cells[1][0].Background, 40);
  EXPECT_EQ(screen.Errors, "");
  terminal.Resume();

  // Text on the last row: the colours come before the line feed (which
  // the terminal's output processing sends as CR LF).
  model.Cells[24][0] = Cell{'P', 14 + 16 * 1};
  terminal.Suspend(model);
  handOver = Output();
  EXPECT_PRED_FORMAT2(EndsWith, handOver, "\x1b[0;37;40m\x1b[25H\r\r\n\x1b[?25h\x1b[?7h");
  terminal.Resume();
  terminal.Restore(model);
}

// While the notice hides the screen, nothing typed or clicked acts on it:
// Esc and y would otherwise quit behind a question never seen.
TEST_F(TerminalPtyTest, WhileTheNoticeShowsKeysAndClicksAreDropped) {
  TerminalBackend terminal(slave_, slave_);
  ASSERT_TRUE(terminal.Start());
  terminal.SetMouseReporting(true);
  ScreenModel model;
  terminal.Present(model);
  Type("\x1b[<0;3;4M");
  EXPECT_EQ(Events(terminal), "m3,4,1");  // a button held down

  Resize(60, 20);
  terminal.RepaintAll();
  terminal.Present(model);
  EXPECT_NE(Output().find("too small"), std::string::npos);
  Type("\x1b");
  Type("y\x1b[<0;5;6M");
  // Only the held button is let go, where it was.
  EXPECT_EQ(Events(terminal), "m3,4,0");
  Type("\x1b[<0;5;6m");
  EXPECT_EQ(Events(terminal), "m5,6,0");

  Resize(80, 25);
  terminal.RepaintAll();
  terminal.Present(model);
  Type("y");
  EXPECT_EQ(Events(terminal), "k121");
  terminal.Restore(model);
}

TEST_F(TerminalPtyTest, SmallTerminalShowsANoticeUntilEnlarged) {
  Resize(60, 20);
  TerminalBackend terminal(slave_, slave_);
  ASSERT_TRUE(terminal.Start());
  ScreenModel model;
  model.Cells[0][0] = Cell{'Z', 7};
  terminal.Present(model);
  std::string notice = Output();
  EXPECT_NE(notice.find("too small"), std::string::npos);
  EXPECT_NE(notice.find("(now 60 x 20)"), std::string::npos);
  terminal.Present(model);
  EXPECT_EQ(Output(), "");

  Resize(100, 30);
  terminal.RepaintAll();
  terminal.Present(model);
  VirtualTerminal screen;
  screen.Apply(notice);
  screen.Apply(Output());
  EXPECT_EQ(screen.Compare(model), "");
  terminal.Restore(model);
}

// Too narrow or too short is enough: each side on its own gets the notice.
TEST_F(TerminalPtyTest, ATerminalTooNarrowOrTooShortShowsTheNotice) {
  for (auto [width, height] : {std::pair{100, 20}, {79, 30}}) {
    Resize(width, height);
    TerminalBackend terminal(slave_, slave_);
    ASSERT_TRUE(terminal.Start());
    terminal.Present(ScreenModel());
    std::string notice = Output();
    EXPECT_NE(notice.find("too small"), std::string::npos) << width << " x " << height;
    EXPECT_NE(notice.find("(now " + std::to_string(width) + " x " + std::to_string(height) + ")"), std::string::npos);
    terminal.Restore(ScreenModel());
    Output();
  }
}

}  // namespace
}  // namespace zeb
