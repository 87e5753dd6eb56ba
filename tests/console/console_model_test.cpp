// The screen model, the progress output and the key and mouse state, through
// the scripted backend.

#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/keys.h"
#include "console/scripted_backend.h"
#include "storage/state.h"
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
  PutText("ABCDEFGHIJ", 75, 2, 14, 1);
  EXPECT_EQ(TextAt(75, 2, 6), "ABCDEF");
  EXPECT_EQ(TextAt(1, 3, 1), " ");  // nothing wrapped onto the next row
  EXPECT_EQ(ForegroundAt(80, 2), 14);
  EXPECT_EQ(BackgroundAt(80, 2), 1);

  PutText("XY", 100, 4, 7, 0);  // column 100 lands on 80
  EXPECT_EQ(TextAt(80, 4, 1), "X");
  EXPECT_EQ(TextAt(79, 4, 1), " ");

  PutText("row", 1, 30, 7, 0);  // row 30 lands on 25
  EXPECT_EQ(TextAt(1, 25, 3), "row");

  std::string before = RowText(5);
  PutText("", 10, 5, 12, 3);  // nothing written, but the colours are taken
  EXPECT_EQ(RowText(5), before);
  EXPECT_EQ(Screen.Attr, 12 + 16 * 3);
}

TEST_F(ConsoleModelTest, ProgressOutputMovesTheCursor) {
  SetColours(10, 0);
  ProgressWrite("Getting Names\r\n");
  EXPECT_EQ(TextAt(1, 1, 13), "Getting Names");
  EXPECT_EQ(ForegroundAt(1, 1), 10);
  EXPECT_EQ(Screen.CursorColumn, 1);
  EXPECT_EQ(Screen.CursorRow, 2);

  ProgressWrite("\bab\b\bX");  // backspace at column 1 stays there
  EXPECT_EQ(TextAt(1, 2, 2), "Xb");
  EXPECT_EQ(Screen.CursorColumn, 2);

  ProgressWrite("\a\a");
  EXPECT_EQ(backend.Beeps, 2);
  EXPECT_EQ(Screen.CursorColumn, 2);

  ProgressWrite("\n");  // line feed alone keeps the column
  EXPECT_EQ(Screen.CursorRow, 3);
  EXPECT_EQ(Screen.CursorColumn, 2);
}

TEST_F(ConsoleModelTest, ProgressOutputWrapsAndScrolls) {
  ProgressWrite("\r" + std::string(80, 'a') + "b");  // past column 80
  EXPECT_EQ(TextAt(1, 2, 1), "b");
  EXPECT_EQ(Screen.CursorRow, 2);
  EXPECT_EQ(Screen.CursorColumn, 2);

  SetColours(15, 4);
  // "line N" goes on row N - 1; the line feed after "line 26" goes below
  // row 25: everything moves up one row and the new bottom row is blank in
  // the current colours.
  for (int line = 3; line <= 26; ++line) ProgressLine("line " + std::to_string(line));
  EXPECT_EQ(TextAt(1, 1, 7), "bline 3");
  EXPECT_EQ(TextAt(1, 24, 7), "line 26");
  EXPECT_EQ(RowText(25), std::string(80, ' '));
  EXPECT_EQ(BackgroundAt(1, 25), 4);
  EXPECT_EQ(ForegroundAt(80, 25), 15);
  EXPECT_EQ(Screen.CursorRow, 25);
  EXPECT_EQ(Screen.CursorColumn, 1);
}

TEST_F(ConsoleModelTest, ProgressIsShownAsItIsWrittenAndOutsideTextAsGlyphs) {
  int presents = backend.Presents;
  ProgressLine("Getting Names");
  EXPECT_GT(backend.Presents, presents);
  presents = backend.Presents;
  ProgressGlyphs(std::string("a\r\n\a\x1b[2Jb", 9));
  EXPECT_EQ(backend.Presents, presents + 1);
  EXPECT_EQ(backend.Beeps, 0);
  EXPECT_EQ(TextAt(1, 2, 9), std::string("a\r\n\a\x1b[2Jb", 9));
  EXPECT_EQ(Screen.CursorColumn, 10);
  ProgressGlyphs(std::string(75, 'x'));  // wraps as progress output does
  EXPECT_EQ(Screen.CursorRow, 3);
  EXPECT_EQ(Screen.CursorColumn, 5);
}

TEST_F(ConsoleModelTest, SpecialKeyComesAsZeroThenCode) {
  backend.Special(Key::Up).Keys("a");
  EXPECT_EQ(GetKey(), 0);
  EXPECT_TRUE(KeyWaiting());
  EXPECT_EQ(GetKey(), 72);
  EXPECT_EQ(GetKey(), 'a');
  EXPECT_FALSE(KeyWaiting());
  EXPECT_THROW(GetKey(), ScriptEnded);
}

TEST_F(ConsoleModelTest, APollStopsAtTheFirstKeyAndKeepsTheRest) {
  // The poll stops at the first key; the second stays for the next poll.
  backend.Batch({InputEvent::Key('x'), InputEvent::Special(Key::Down)});
  EXPECT_EQ(GetKey(), 'x');
  EXPECT_EQ(GetKey(), 0);
  EXPECT_EQ(GetKey(), 80);
}

TEST_F(ConsoleModelTest, ClickInSeparateBatchesIsOnePress) {
  backend.Click(5, 7);
  EXPECT_FALSE(KeyWaiting());
  EXPECT_EQ(MouseButton, 1);
  EXPECT_EQ(MouseColumn, 5);
  EXPECT_EQ(MouseRow, 7);
  EXPECT_FALSE(KeyWaiting());
  EXPECT_EQ(MouseButton, 0);
}

TEST_F(ConsoleModelTest, PressAndReleaseInOneBatchStillShowTheButton) {
  backend.Batch({InputEvent::MouseAt(3, 4, 1), InputEvent::MouseAt(3, 4, 0)});
  KeyWaiting();
  EXPECT_EQ(MouseButton, 1);  // the poll stopped at the press
  KeyWaiting();
  EXPECT_EQ(MouseButton, 0);
}

TEST_F(ConsoleModelTest, MotionWithoutPressDoesNotStopThePoll) {
  backend.Batch({InputEvent::MouseAt(3, 4, 0), InputEvent::MouseAt(9, 9, 0), InputEvent::Key('k')});
  EXPECT_TRUE(KeyWaiting());
  EXPECT_EQ(MouseColumn, 9);
  EXPECT_EQ(GetKey(), 'k');
}

TEST_F(ConsoleModelTest, AWheelNotchEndsThePollAndLeavesTheMouseAlone) {
  backend.Click(5, 7);
  KeyWaiting();
  KeyWaiting();
  // Two notches down, a key, and a notch up in one batch: each poll ends at
  // a notch, which waits for the main loop.
  backend.Batch(
      {InputEvent::WheelNotch(1), InputEvent::WheelNotch(1), InputEvent::Key('k'), InputEvent::WheelNotch(-1)});
  EXPECT_FALSE(KeyWaiting());
  EXPECT_EQ(TakeWheelNotches(), 1);
  EXPECT_EQ(TakeWheelNotches(), 0);
  EXPECT_FALSE(KeyWaiting());
  EXPECT_TRUE(KeyWaiting());
  EXPECT_EQ(TakeWheelNotches(), 1);
  EXPECT_EQ(GetKey(), 'k');
  EXPECT_FALSE(KeyWaiting());
  EXPECT_EQ(TakeWheelNotches(), -1);
  // The position of the last click and the released button are as they were.
  EXPECT_EQ(MouseButton, 0);
  EXPECT_EQ(MouseColumn, 5);
  EXPECT_EQ(MouseRow, 7);
}

TEST_F(ConsoleModelTest, WaitingForAKeyDropsTheWheel) {
  backend.Wheel(2).Wheel(-1).Keys("y");
  EXPECT_EQ(GetKey(), 'y');
  EXPECT_EQ(TakeWheelNotches(), 0);
  // Without a mouse there is no wheel either.
  ConsoleUseBackend(nullptr);
  ScriptedBackend keyboardOnly;
  ConsoleUseBackend(&keyboardOnly);
  MousePresent = false;
  keyboardOnly.Wheel(1);
  EXPECT_FALSE(KeyWaiting());
  EXPECT_EQ(TakeWheelNotches(), 0);
}

TEST_F(ConsoleModelTest, MouseIsSwitchedOnOnce) {
  EXPECT_FALSE(backend.MouseReporting);
  EnableMouse();
  EXPECT_TRUE(backend.MouseReporting);
  backend.SetMouseReporting(false);
  EnableMouse();  // already on as far as the program knows
  EXPECT_FALSE(backend.MouseReporting);
  ConsoleSuspend();
  ConsoleResume();
  EXPECT_TRUE(backend.MouseReporting);  // a resume switches it on again
}

}  // namespace
}  // namespace zeb
