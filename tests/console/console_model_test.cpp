// The screen model, the progress output and the key and mouse state, through
// the scripted backend.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "console/keys.h"
#include "console/scripted_backend.h"
#include "support/program_test.h"

namespace zeb {
namespace {

using ConsoleModelTest = testing_support::ProgramTest<>;

// The error report, whoever built its message: a control byte never
// reaches the terminal; each line of the message is a line of the report.
TEST_F(ConsoleModelTest, TheErrorReportNeverWritesControlBytes) {
  EXPECT_EXIT(ConsoleFatal("bad \x1b[?1049h\x07\x9b" "31m\nsecond line\r"), ::testing::ExitedWithCode(1),
              ::testing::Eq("zeb: bad \\x1B[?1049h\\x07\\x9B31m\nzeb: second line\\x0D\n"));
}

TEST_F(ConsoleModelTest, PutTextClipsAtTheEdges) {
  console.PutText("ABCDEFGHIJ", {75, 2}, {14, 1});
  EXPECT_EQ(TextAt(75, 2, 6), "ABCDEF");
  EXPECT_EQ(TextAt(1, 3, 1), " ");  // nothing wrapped onto the next row
  EXPECT_EQ(ForegroundAt(80, 2), 14);
  EXPECT_EQ(BackgroundAt(80, 2), 1);

  console.PutText("XY", {100, 4}, {7, 0});  // column 100 lands on 80
  EXPECT_EQ(TextAt(80, 4, 1), "X");
  EXPECT_EQ(TextAt(79, 4, 1), " ");

  console.PutText("row", {1, 30}, {7, 0});  // row 30 lands on 25
  EXPECT_EQ(TextAt(1, 25, 3), "row");

  std::string before = RowText(5);
  console.PutText("", {10, 5}, {12, 3});  // nothing written, but the colours are taken
  EXPECT_EQ(RowText(5), before);
  EXPECT_EQ(console.Screen.Attr, 12 + 16 * 3);
}

TEST_F(ConsoleModelTest, ProgressOutputMovesTheCursor) {
  console.SetColours(10, 0);
  console.ProgressWrite("Getting Names\r\n");
  EXPECT_EQ(TextAt(1, 1, 13), "Getting Names");
  EXPECT_EQ(ForegroundAt(1, 1), 10);
  EXPECT_EQ(console.Screen.CursorColumn, 1);
  EXPECT_EQ(console.Screen.CursorRow, 2);

  console.ProgressWrite("\bab\b\bX");  // backspace at column 1 stays there
  EXPECT_EQ(TextAt(1, 2, 2), "Xb");
  EXPECT_EQ(console.Screen.CursorColumn, 2);

  console.ProgressWrite("\a\a");
  EXPECT_EQ(backend.Beeps, 2);
  EXPECT_EQ(console.Screen.CursorColumn, 2);

  console.ProgressWrite("\n");  // line feed alone keeps the column
  EXPECT_EQ(console.Screen.CursorRow, 3);
  EXPECT_EQ(console.Screen.CursorColumn, 2);
}

TEST_F(ConsoleModelTest, ProgressOutputWrapsAndScrolls) {
  console.ProgressWrite("\r" + std::string(80, 'a') + "b");  // past column 80
  EXPECT_EQ(TextAt(1, 2, 1), "b");
  EXPECT_EQ(console.Screen.CursorRow, 2);
  EXPECT_EQ(console.Screen.CursorColumn, 2);

  console.SetColours(15, 4);
  // "line N" goes on row N - 1; the line feed after "line 26" goes below
  // row 25: everything moves up one row and the new bottom row is blank in
  // the current colours.
  for (int line = 3; line <= 26; ++line) console.ProgressLine("line " + std::to_string(line));
  EXPECT_EQ(TextAt(1, 1, 7), "bline 3");
  EXPECT_EQ(TextAt(1, 24, 7), "line 26");
  EXPECT_EQ(RowText(25), std::string(80, ' '));
  EXPECT_EQ(BackgroundAt(1, 25), 4);
  EXPECT_EQ(ForegroundAt(80, 25), 15);
  EXPECT_EQ(console.Screen.CursorRow, 25);
  EXPECT_EQ(console.Screen.CursorColumn, 1);
}

TEST_F(ConsoleModelTest, ProgressIsShownAsItIsWrittenAndOutsideTextAsGlyphs) {
  int presents = backend.Presents;
  console.ProgressLine("Getting Names");
  EXPECT_GT(backend.Presents, presents);
  presents = backend.Presents;
  console.ProgressGlyphs(std::string("a\r\n\a\x1b[2Jb", 9));
  EXPECT_EQ(backend.Presents, presents + 1);
  EXPECT_EQ(backend.Beeps, 0);
  EXPECT_EQ(TextAt(1, 2, 9), std::string("a\r\n\a\x1b[2Jb", 9));
  EXPECT_EQ(console.Screen.CursorColumn, 10);
  console.ProgressGlyphs(std::string(75, 'x'));  // wraps as progress output does
  EXPECT_EQ(console.Screen.CursorRow, 3);
  EXPECT_EQ(console.Screen.CursorColumn, 5);
}

TEST_F(ConsoleModelTest, SpecialKeyComesAsZeroThenCode) {
  backend.Special(Key::Up).Keys("a");
  EXPECT_EQ(console.GetKey(), 0);
  EXPECT_TRUE(console.KeyWaiting());
  EXPECT_EQ(console.GetKey(), 72);
  EXPECT_EQ(console.GetKey(), 'a');
  EXPECT_FALSE(console.KeyWaiting());
  EXPECT_THROW(console.GetKey(), ScriptEnded);
}

TEST_F(ConsoleModelTest, APollStopsAtTheFirstKeyAndKeepsTheRest) {
  // The poll stops at the first key; the second stays for the next poll.
  backend.Batch({InputEvent::Key('x'), InputEvent::Special(Key::Down)});
  EXPECT_EQ(console.GetKey(), 'x');
  EXPECT_EQ(console.GetKey(), 0);
  EXPECT_EQ(console.GetKey(), 80);
}

TEST_F(ConsoleModelTest, ClickInSeparateBatchesIsOnePress) {
  backend.Click(5, 7);
  EXPECT_FALSE(console.KeyWaiting());
  EXPECT_EQ(console.MouseButton, 1);
  EXPECT_EQ(console.MouseColumn, 5);
  EXPECT_EQ(console.MouseRow, 7);
  EXPECT_FALSE(console.KeyWaiting());
  EXPECT_EQ(console.MouseButton, 0);
}

TEST_F(ConsoleModelTest, PressAndReleaseInOneBatchStillShowTheButton) {
  backend.Batch({InputEvent::MouseAt(3, 4, 1), InputEvent::MouseAt(3, 4, 0)});
  console.KeyWaiting();
  EXPECT_EQ(console.MouseButton, 1);  // the poll stopped at the press
  console.KeyWaiting();
  EXPECT_EQ(console.MouseButton, 0);
}

TEST_F(ConsoleModelTest, MotionWithoutPressDoesNotStopThePoll) {
  backend.Batch({InputEvent::MouseAt(3, 4, 0), InputEvent::MouseAt(9, 9, 0), InputEvent::Key('k')});
  EXPECT_TRUE(console.KeyWaiting());
  EXPECT_EQ(console.MouseColumn, 9);
  EXPECT_EQ(console.GetKey(), 'k');
}

TEST_F(ConsoleModelTest, APollAddsUpTheNotchesOfItsBatchAndLeavesTheMouseAlone) {
  backend.Click(5, 7);
  console.KeyWaiting();
  console.KeyWaiting();
  // Notches both ways, a key, and a notch in one batch: the poll adds up
  // the notches on its way to the key and stops there.
  backend.Batch({InputEvent::WheelNotch(1), InputEvent::WheelNotch(1), InputEvent::WheelNotch(-1),
                 InputEvent::WheelNotch(1), InputEvent::Key('k'), InputEvent::WheelNotch(-1)});
  EXPECT_TRUE(console.KeyWaiting());
  EXPECT_EQ(console.TakeWheelNotches(), 2);
  EXPECT_EQ(console.TakeWheelNotches(), 0);
  EXPECT_EQ(console.GetKey(), 'k');
  EXPECT_FALSE(console.KeyWaiting());
  EXPECT_EQ(console.TakeWheelNotches(), -1);
  // The position of the last click and the released button are as they were.
  EXPECT_EQ(console.MouseButton, 0);
  EXPECT_EQ(console.MouseColumn, 5);
  EXPECT_EQ(console.MouseRow, 7);
}

TEST_F(ConsoleModelTest, WaitingForAKeyDropsTheWheel) {
  backend.Wheel(2).Wheel(-1).Keys("y");
  EXPECT_EQ(console.GetKey(), 'y');
  EXPECT_EQ(console.TakeWheelNotches(), 0);
  // Without a mouse there is no wheel either.
  ScriptedBackend keyboardOnly;
  Console noMouse;
  noMouse.Attach(&keyboardOnly, false);
  keyboardOnly.Wheel(1);
  EXPECT_FALSE(noMouse.KeyWaiting());
  EXPECT_EQ(noMouse.TakeWheelNotches(), 0);
}

TEST_F(ConsoleModelTest, MouseIsSwitchedOnOnce) {
  EXPECT_FALSE(backend.MouseReporting);
  console.EnableMouse();
  EXPECT_TRUE(backend.MouseReporting);
  backend.SetMouseReporting(false);
  console.EnableMouse();  // already on as far as the program knows
  EXPECT_FALSE(backend.MouseReporting);
  console.Suspend();
  console.Resume();
  EXPECT_TRUE(backend.MouseReporting);  // a resume switches it on again
}

// What the main loop asks to tell a held click that does nothing from one
// that acts: how many pauses were taken, and whether the screen changed.
TEST_F(ConsoleModelTest, PausesAreCountedAndScreensComparedByCellsAndCursor) {
  console.Pause(150);
  console.Pause(0);
  EXPECT_EQ(console.PauseCount(), 2);
  EXPECT_EQ(backend.Pauses, (std::vector<int>{150, 0}));

  const ScreenModel shown = console.Screen;
  const auto differs = [&shown](void (*change)(ScreenModel&)) {
    ScreenModel other = shown;
    change(other);
    return !SameScreen(shown, other);
  };
  EXPECT_TRUE(differs([](ScreenModel& s) { s.Cells[24][79].Attr = 0x1E; }));
  EXPECT_TRUE(differs([](ScreenModel& s) { s.Cells[0][0].Char = 'x'; }));
  EXPECT_TRUE(differs([](ScreenModel& s) { s.CursorColumn = 2; }));
  EXPECT_TRUE(differs([](ScreenModel& s) { s.CursorRow = 25; }));
  EXPECT_TRUE(differs([](ScreenModel& s) { s.CursorVisible = false; }));
  // The colours of the next text show nowhere yet.
  EXPECT_FALSE(differs([](ScreenModel& s) { s.Attr = 0x1E; }));
}

}  // namespace
}  // namespace zeb
