// The Windows console backend on a real console: what it draws is read back
// from the screen buffer, input is written into the console's input buffer
// as the keyboard and the mouse would put it there.

#include "console/console_win32.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "console/colours.h"

namespace zeb {
namespace {

HANDLE OpenConsole(const char* name) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                     nullptr);
}

INPUT_RECORD Key(bool down, WORD virtualKey, WORD scan, char c = 0, DWORD state = 0) {
  INPUT_RECORD record{};
  record.EventType = KEY_EVENT;
  record.Event.KeyEvent.bKeyDown = down ? TRUE : FALSE;
  record.Event.KeyEvent.wRepeatCount = 1;
  record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
  record.Event.KeyEvent.wVirtualScanCode = scan;
  record.Event.KeyEvent.uChar.AsciiChar = c;
  record.Event.KeyEvent.dwControlKeyState = state;
  return record;
}

INPUT_RECORD Mouse(SHORT x, SHORT y, DWORD buttons, DWORD flags = 0) {
  INPUT_RECORD record{};
  record.EventType = MOUSE_EVENT;
  record.Event.MouseEvent.dwMousePosition = COORD{x, y};
  record.Event.MouseEvent.dwButtonState = buttons;
  record.Event.MouseEvent.dwEventFlags = flags;
  return record;
}

class Win32ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input_ = OpenConsole("CONIN$");
    output_ = OpenConsole("CONOUT$");
    ASSERT_NE(input_, INVALID_HANDLE_VALUE) << "the test needs a console (run it through cmake/wine-console.sh)";
    ASSERT_NE(output_, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(GetConsoleMode(input_, &originalMode_));
    ASSERT_TRUE(GetConsoleCursorInfo(output_, &originalCursor_));
    CONSOLE_SCREEN_BUFFER_INFO info;
    ASSERT_TRUE(GetConsoleScreenBufferInfo(output_, &info));
    originX_ = info.srWindow.Left;
    originY_ = info.srWindow.Top;
    FlushConsoleInputBuffer(input_);
    backend_ = new Win32ConsoleBackend(input_, output_);
    ASSERT_TRUE(backend_->Start());
    console.Attach(backend_, true);
    console.EnableMouse();
  }
  void TearDown() override {
    console.Restore();
    console.Attach(nullptr, false);
    delete backend_;
    SetConsoleMode(input_, originalMode_);
    CloseHandle(input_);
    CloseHandle(output_);
  }

  void Inject(std::initializer_list<INPUT_RECORD> records) {
    std::vector<INPUT_RECORD> list(records);
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(input_, list.data(), static_cast<DWORD>(list.size()), &written));
    ASSERT_EQ(written, list.size());
  }

  // Cells of a row as the console holds them, from `column` (1-based).
  std::vector<CHAR_INFO> ReadRow(int row, int column, int length, bool unicode) {
    std::vector<CHAR_INFO> cells(static_cast<std::size_t>(length));
    SMALL_RECT region{static_cast<SHORT>(originX_ + column - 1), static_cast<SHORT>(originY_ + row - 1),
                      static_cast<SHORT>(originX_ + column - 2 + length), static_cast<SHORT>(originY_ + row - 1)};
    COORD size{static_cast<SHORT>(length), 1};
    BOOL read = unicode ? ReadConsoleOutputW(output_, cells.data(), size, COORD{0, 0}, &region)
                        : ReadConsoleOutputA(output_, cells.data(), size, COORD{0, 0}, &region);
    EXPECT_TRUE(read);
    return cells;
  }

  std::string Bytes(int row, int column, int length) {
    std::string text;
    for (const CHAR_INFO& cell : ReadRow(row, column, length, false)) text += cell.Char.AsciiChar;
    return text;
  }

  DWORD Mode() {
    DWORD mode = 0;
    GetConsoleMode(input_, &mode);
    return mode;
  }

  HANDLE input_ = INVALID_HANDLE_VALUE;
  HANDLE output_ = INVALID_HANDLE_VALUE;
  DWORD originalMode_ = 0;
  CONSOLE_CURSOR_INFO originalCursor_{};
  SHORT originX_ = 0;
  SHORT originY_ = 0;
  Win32ConsoleBackend* backend_ = nullptr;
  Console console;
};

TEST_F(Win32ConsoleTest, TheInterfacesGlyphsAreDrawnAndReadBackAsTheirBytes) {
  // The triangles, the shade, the box lines and corners, the full block.
  const std::string glyphs = "\x10\x11\x1E\x1F\xB1\xB3\xC4\xDA\xBF\xC0\xD9\xDB";
  console.PutText(glyphs + " Games List", {3, 2}, {White, Blue});
  console.Pause(0);  // shows the screen
  EXPECT_EQ(Bytes(2, 3, static_cast<int>(glyphs.size()) + 11), glyphs + " Games List");

  std::vector<CHAR_INFO> wide = ReadRow(2, 3, 4, true);
  EXPECT_EQ(wide[0].Char.UnicodeChar, 0x25BA);
  EXPECT_EQ(wide[1].Char.UnicodeChar, 0x25C4);
  EXPECT_EQ(wide[2].Char.UnicodeChar, 0x25B2);
  EXPECT_EQ(wide[3].Char.UnicodeChar, 0x25BC);
  // The columns around the text are untouched blanks.
  EXPECT_EQ(Bytes(2, 1, 2), "  ");
}

TEST_F(Win32ConsoleTest, EveryForegroundOnEveryBackground) {
  for (int background = 0; background < 16; ++background) {
    for (int foreground = 0; foreground < 16; ++foreground) {
      console.PutText("x", {1 + foreground, 1 + background}, {foreground, background});
    }
  }
  console.Pause(0);
  for (int background = 0; background < 16; ++background) {
    std::vector<CHAR_INFO> cells = ReadRow(1 + background, 1, 16, false);
    for (int foreground = 0; foreground < 16; ++foreground) {
      EXPECT_EQ(cells[static_cast<std::size_t>(foreground)].Attributes & 0xFF, foreground + 16 * background)
          << foreground << " on " << background;
    }
  }
}

TEST_F(Win32ConsoleTest, OnlyChangedCellsAreWritten) {
  console.PutText("Hello", {1, 1}, {LightGrey, Black});
  console.Pause(0);
  EXPECT_EQ(backend_->CellsWritten(), ScreenWidth * ScreenHeight);  // the first showing: all of it
  const long long cells = backend_->CellsWritten();
  const long long calls = backend_->WriteCalls();

  console.Pause(0);
  console.PutText("Hello", {1, 1}, {LightGrey, Black});  // the same again
  console.Pause(0);
  EXPECT_EQ(backend_->CellsWritten(), cells);
  EXPECT_EQ(backend_->WriteCalls(), calls);

  // Two cells of one row, apart: one write from the first to the last.
  console.PutText("J", {1, 1}, {LightGrey, Black});
  console.PutText("y", {5, 1}, {LightGrey, Black});
  // One cell of another row changes colour only.
  console.PutText("\xB1", {40, 10}, {Yellow, Blue});
  console.Pause(0);
  EXPECT_EQ(backend_->CellsWritten(), cells + 5 + 1);
  EXPECT_EQ(backend_->WriteCalls(), calls + 2);
  EXPECT_EQ(Bytes(1, 1, 6), "Jelly ");

  // A full repaint writes everything again.
  console.RepaintAll();
  console.Pause(0);
  EXPECT_EQ(backend_->CellsWritten(), cells + 6 + ScreenWidth * ScreenHeight);
}

TEST_F(Win32ConsoleTest, InputModeWhileRunningAndAfter) {
  DWORD mode = Mode();
  EXPECT_EQ(mode & ENABLE_PROCESSED_INPUT, 0u) << "Ctrl+C must arrive as a key";
  EXPECT_EQ(mode & (ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT), 0u);
  EXPECT_NE(mode & ENABLE_EXTENDED_FLAGS, 0u);
  EXPECT_EQ(mode & ENABLE_QUICK_EDIT_MODE, 0u) << "quick edit would take the clicks";
  EXPECT_NE(mode & ENABLE_MOUSE_INPUT, 0u);

  console.Restore();
  EXPECT_EQ(Mode(), originalMode_);
}

TEST_F(Win32ConsoleTest, CursorHiddenWhileAskedAndGivenBackWithItsSize) {
  console.HideCursor();
  console.Pause(0);
  CONSOLE_CURSOR_INFO cursor{};
  GetConsoleCursorInfo(output_, &cursor);
  EXPECT_FALSE(cursor.bVisible);

  console.Restore();
  GetConsoleCursorInfo(output_, &cursor);
  EXPECT_EQ(cursor.bVisible, originalCursor_.bVisible);
  EXPECT_EQ(cursor.dwSize, originalCursor_.dwSize);
  // The cursor stands below the last text of the screen.
  CONSOLE_SCREEN_BUFFER_INFO info;
  GetConsoleScreenBufferInfo(output_, &info);
  EXPECT_EQ(info.dwCursorPosition.X, originX_);
  EXPECT_EQ(info.dwCursorPosition.Y, originY_);  // the screen is blank: row 1
}

TEST_F(Win32ConsoleTest, SpecialKeysComeAsZeroThenTheirCode) {
  Inject({Key(true, VK_UP, 72), Key(false, VK_UP, 72)});
  EXPECT_EQ(console.GetKey(), 0);
  EXPECT_TRUE(console.KeyWaiting());
  EXPECT_EQ(console.GetKey(), 72);

  Inject({Key(true, VK_MENU, 56, 0, LEFT_ALT_PRESSED), Key(true, 'X', 45, 'x', LEFT_ALT_PRESSED),
          Key(false, 'X', 45, 'x', LEFT_ALT_PRESSED), Key(false, VK_MENU, 56)});
  EXPECT_EQ(console.GetKey(), 0);
  EXPECT_EQ(console.GetKey(), 45);

  Inject({Key(true, VK_SHIFT, 42, 0, SHIFT_PRESSED), Key(true, VK_F1, 59, 0, SHIFT_PRESSED), Key(false, VK_SHIFT, 42)});
  EXPECT_EQ(console.GetKey(), 0);
  EXPECT_EQ(console.GetKey(), 84);

  Inject({Key(true, VK_F11, 87)});
  EXPECT_EQ(console.GetKey(), 0);
  EXPECT_EQ(console.GetKey(), 133);
}

TEST_F(Win32ConsoleTest, CharactersCtrlCAndAltWithKeypadDigits) {
  Inject({Key(true, 'A', 30, 'a'), Key(false, 'A', 30, 'a')});
  EXPECT_EQ(console.GetKey(), 'a');
  Inject({Key(true, VK_CONTROL, 29, 0, LEFT_CTRL_PRESSED), Key(true, 'C', 46, 3, LEFT_CTRL_PRESSED)});
  EXPECT_EQ(console.GetKey(), 3);

  // Alt held, 6 and 5 on the keypad, Alt let go: "A".
  Inject({Key(true, VK_MENU, 56, 0, LEFT_ALT_PRESSED | NUMLOCK_ON),
          Key(true, VK_NUMPAD6, 77, 0, LEFT_ALT_PRESSED | NUMLOCK_ON),
          Key(false, VK_NUMPAD6, 77, 0, LEFT_ALT_PRESSED | NUMLOCK_ON),
          Key(true, VK_NUMPAD5, 76, 0, LEFT_ALT_PRESSED | NUMLOCK_ON),
          Key(false, VK_NUMPAD5, 76, 0, LEFT_ALT_PRESSED | NUMLOCK_ON), Key(false, VK_MENU, 56, 0, NUMLOCK_ON)});
  EXPECT_EQ(console.GetKey(), 65);
  EXPECT_FALSE(console.KeyWaiting());
}

TEST_F(Win32ConsoleTest, ShiftOrCtrlAloneDeliverNothingAndLeaveNoWaitBehind) {
  Inject({Key(true, VK_SHIFT, 42, 0, SHIFT_PRESSED), Key(false, VK_SHIFT, 42), Key(true, VK_CONTROL, 29, 0, LEFT_CTRL_PRESSED),
          Key(false, VK_CONTROL, 29)});
  EXPECT_FALSE(console.KeyWaiting());
  // The poll took the records in: the input handle is not signalled, so a
  // wait for input sleeps instead of spinning.
  EXPECT_EQ(WaitForSingleObject(input_, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(Win32ConsoleTest, WaitForInputReturnsWhenARecordArrives) {
  Inject({Key(true, 'Z', 44, 'z')});
  console.WaitForInput();  // returns at once: a record is there
  EXPECT_TRUE(console.KeyWaiting());
  EXPECT_EQ(console.GetKey(), 'z');
}

TEST_F(Win32ConsoleTest, MousePositionAndButtons) {
  // A left press at the top-left cell, then its release.
  Inject({Mouse(originX_, originY_, FROM_LEFT_1ST_BUTTON_PRESSED)});
  console.KeyWaiting();
  EXPECT_EQ(console.MouseColumn, 1);
  EXPECT_EQ(console.MouseRow, 1);
  EXPECT_EQ(console.MouseButton, 1);
  Inject({Mouse(originX_, originY_, 0)});
  console.KeyWaiting();
  EXPECT_EQ(console.MouseButton, 0);

  Inject({Mouse(static_cast<SHORT>(originX_ + 79), static_cast<SHORT>(originY_ + 24), RIGHTMOST_BUTTON_PRESSED)});
  console.KeyWaiting();
  EXPECT_EQ(console.MouseColumn, 80);
  EXPECT_EQ(console.MouseRow, 25);
  EXPECT_EQ(console.MouseButton, 2);

  // Both buttons at once: none.
  Inject({Mouse(originX_, originY_, FROM_LEFT_1ST_BUTTON_PRESSED | RIGHTMOST_BUTTON_PRESSED, MOUSE_MOVED)});
  console.KeyWaiting();
  EXPECT_EQ(console.MouseButton, 0);
}

TEST_F(Win32ConsoleTest, WheelRecordsAreNotchesThatLeaveTheButtonHeld) {
  const SHORT x = static_cast<SHORT>(originX_ + 4);
  const SHORT y = static_cast<SHORT>(originY_ + 5);
  const SHORT elsewhere = static_cast<SHORT>(originY_ + 20);
  Inject({Mouse(x, y, FROM_LEFT_1ST_BUTTON_PRESSED),
          Mouse(x, elsewhere, 0x00780000u | FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_WHEELED),
          Mouse(x, elsewhere, 0x00F00000u | FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_WHEELED),
          Mouse(x, elsewhere, 0xFF880000u, MOUSE_WHEELED),
          Mouse(x, elsewhere, 0x00780000u, MOUSE_HWHEELED), Key(true, 'Z', 44, 'z')});
  // The first poll stops at the press; the next adds up the notches on its
  // way to the key.
  for (int poll = 0; poll < 6 && !console.KeyWaiting(); ++poll) {
  }
  ASSERT_TRUE(console.KeyWaiting());
  EXPECT_EQ(console.TakeWheelNotches(), -1);  // two up, one down, the sideways one dropped
  EXPECT_EQ(console.MouseColumn, 5);
  EXPECT_EQ(console.MouseRow, 6);
  EXPECT_EQ(console.MouseButton, 1);  // no wheel record lets it go
  EXPECT_EQ(console.GetKey(), 'z');
}

}  // namespace
}  // namespace zeb
