#include "console/console_win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/glyphs.h"

namespace zeb {

namespace {

[[noreturn]] void LostConsole() {
  unsigned long error = GetLastError();
  ConsoleFatal("cannot read the console (system error " + std::to_string(error) + ")");
}


}  // namespace

Win32ConsoleBackend::Win32ConsoleBackend(HANDLE input, HANDLE output) : input_(input), output_(output) {
  queue_.reserve(256);
}

DWORD Win32ConsoleBackend::OurInputMode() const {
  // Extended flags with quick edit left out: selecting text with the mouse
  // is off, so clicks come to us. Processed input, line input and echo off.
  DWORD mode = ENABLE_EXTENDED_FLAGS | ENABLE_WINDOW_INPUT | (originalInputMode_ & ENABLE_INSERT_MODE);
  if (mouse_) mode |= ENABLE_MOUSE_INPUT;
  return mode;
}

bool Win32ConsoleBackend::Start() {
  if (started_) return true;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(output_, &info)) return false;
  if (!GetConsoleMode(input_, &originalInputMode_)) return false;
  if (!GetConsoleCursorInfo(output_, &originalCursor_)) originalCursor_ = CONSOLE_CURSOR_INFO{25, TRUE};
  originX_ = info.srWindow.Left;
  originY_ = info.srWindow.Top;
  startColumn_ = std::clamp(info.dwCursorPosition.X - originX_ + 1, 1, ScreenWidth);
  startRow_ = std::clamp(info.dwCursorPosition.Y - originY_ + 1, 1, ScreenHeight);
  startAttr_ = static_cast<unsigned char>(info.wAttributes & 0xFF);
  cursorVisible_ = originalCursor_.bVisible != FALSE;
  started_ = true;
  taken_ = true;
  SetConsoleMode(input_, OurInputMode());
  return true;
}

void Win32ConsoleBackend::SetCursor(bool visible, int column, int row) {
  if (visible != cursorVisible_) {
    CONSOLE_CURSOR_INFO cursor{originalCursor_.dwSize, visible ? TRUE : FALSE};
    SetConsoleCursorInfo(output_, &cursor);
    cursorVisible_ = visible;
  }
  if (visible && (column != cursorColumn_ || row != cursorRow_)) {
    SetConsoleCursorPosition(output_, COORD{static_cast<SHORT>(originX_ + column - 1), static_cast<SHORT>(originY_ + row - 1)});
    cursorColumn_ = column;
    cursorRow_ = row;
  }
}

void Win32ConsoleBackend::Present(const ScreenModel& screen) {
  if (!Active() || suspended_) return;
  last_ = screen;
  CHAR_INFO line[ScreenWidth];
  for (int row = 0; row < ScreenHeight; ++row) {
    // One write per row: from its first changed cell to its last.
    int first = -1;
    int last = -1;
    for (int column = 0; column < ScreenWidth; ++column) {
      const Cell& cell = screen.Cells[row][column];
      const Cell& old = shown_[row][column];
      if (!shownValid_ || cell.Char != old.Char || cell.Attr != old.Attr) {
        if (first < 0) first = column;
        last = column;
      }
    }
    if (first < 0) continue;
    for (int column = first; column <= last; ++column) {
      const Cell& cell = screen.Cells[row][column];
      line[column - first].Char.UnicodeChar = static_cast<WCHAR>(GlyphCodePoint(cell.Char));
      line[column - first].Attributes = cell.Attr;
      shown_[row][column] = cell;
    }
    SHORT length = static_cast<SHORT>(last - first + 1);
    SMALL_RECT region{static_cast<SHORT>(originX_ + first), static_cast<SHORT>(originY_ + row),
                      static_cast<SHORT>(originX_ + last), static_cast<SHORT>(originY_ + row)};
    WriteConsoleOutputW(output_, line, COORD{length, 1}, COORD{0, 0}, &region);
    cellsWritten_ += length;
    ++writeCalls_;
  }
  shownValid_ = true;
  SetCursor(screen.CursorVisible, screen.CursorColumn, screen.CursorRow);
}

void Win32ConsoleBackend::ReadRecords() {
  DWORD remaining = 0;
  if (!GetNumberOfConsoleInputEvents(input_, &remaining)) LostConsole();
  // What the console holds at this moment, not what comes while we read.
  while (remaining > 0) {
    INPUT_RECORD records[64];
    DWORD read = 0;
    if (!ReadConsoleInputA(input_, records, std::min<DWORD>(remaining, 64), &read)) LostConsole();
    if (read == 0) return;
    remaining -= std::min(read, remaining);
    for (DWORD i = 0; i < read; ++i) {
      const INPUT_RECORD& record = records[i];
      if (record.EventType == KEY_EVENT) {
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        ConsoleKeyRecord plain{key.bKeyDown != FALSE, key.wVirtualKeyCode, key.wVirtualScanCode,
                               static_cast<unsigned char>(key.uChar.AsciiChar), key.dwControlKeyState};
        InputEvent event;
        if (DecodeKeyRecord(decoder_, plain, event)) queue_.push_back(event);
      } else if (record.EventType == MOUSE_EVENT) {
        const MOUSE_EVENT_RECORD& mouse = record.Event.MouseEvent;
        ConsoleMouseRecord plain{mouse.dwMousePosition.X, mouse.dwMousePosition.Y, mouse.dwButtonState,
                                 mouse.dwEventFlags};
        InputEvent event;
        if (DecodeMouseRecord(plain, originX_, originY_, event)) queue_.push_back(event);
      } else if (record.EventType == WINDOW_BUFFER_SIZE_EVENT) {
        shownValid_ = false;  // the console may have moved or cut what it showed
      }
    }
  }
}

void Win32ConsoleBackend::BeginPoll() {
  if (Active() && !suspended_) ReadRecords();
}

bool Win32ConsoleBackend::NextEvent(InputEvent& event) {
  if (next_ >= queue_.size()) return false;
  event = queue_[next_++];
  if (next_ == queue_.size()) {
    queue_.clear();
    next_ = 0;
  }
  return true;
}

void Win32ConsoleBackend::WaitInput() {
  if (!Active() || next_ < queue_.size()) return;
  // The console's input handle is signalled while it holds input records.
  if (WaitForSingleObject(input_, INFINITE) == WAIT_FAILED) LostConsole();
}

void Win32ConsoleBackend::Sleep(int milliseconds) {
  if (milliseconds > 0) ::Sleep(static_cast<DWORD>(milliseconds));
}

void Win32ConsoleBackend::Beep() {
  if (Active()) MessageBeep(MB_OK);
}

void Win32ConsoleBackend::SetMouseReporting(bool on) {
  if (!Active() || on == mouse_) return;
  mouse_ = on;
  if (!suspended_) SetConsoleMode(input_, OurInputMode());
}

void Win32ConsoleBackend::CursorBelowText(const ScreenModel& screen) {
  int last = LastRowWithText(screen);
  CONSOLE_CURSOR_INFO shown{originalCursor_.dwSize, TRUE};
  SetConsoleCursorInfo(output_, &shown);
  cursorVisible_ = true;
  cursorColumn_ = cursorRow_ = 0;
  CONSOLE_SCREEN_BUFFER_INFO info;
  SHORT bottom = GetConsoleScreenBufferInfo(output_, &info) ? static_cast<SHORT>(info.dwSize.Y - 1) : SHORT{0};
  SHORT below = static_cast<SHORT>(originY_ + last);
  if (below <= bottom) {
    SetConsoleCursorPosition(output_, COORD{originX_, below});
  } else {
    // Text down to the buffer's last row: make room below it.
    SetConsoleCursorPosition(output_, COORD{originX_, bottom});
    DWORD written = 0;
    WriteConsoleA(output_, "\n", 1, &written, nullptr);
  }
}

void Win32ConsoleBackend::Suspend(const ScreenModel& screen) {
  if (!Active() || suspended_) return;
  Present(screen);
  // The other program's output goes below what is on the screen; the
  // console is its own: its input mode as we found it, the cursor shown.
  CursorBelowText(screen);
  SetConsoleMode(input_, originalInputMode_);
  suspended_ = true;
}

void Win32ConsoleBackend::Resume() {
  if (!Active() || !suspended_) return;
  SetConsoleMode(input_, OurInputMode());
  // Keys typed for the other program are not ours.
  FlushConsoleInputBuffer(input_);
  suspended_ = false;
  // No repaint: what the other program wrote stays until the screen changes
  // there or a full repaint is asked for.
}

void Win32ConsoleBackend::RepaintAll() { shownValid_ = false; }

void Win32ConsoleBackend::Restore(const ScreenModel& screen) {
  if (!Active()) return;
  if (suspended_) Resume();
  // The console keeps what it shows: the screen as the program left it,
  // then the cursor below its text.
  Present(screen);
  CursorBelowText(screen);
  restored_ = true;
  if (taken_.exchange(false)) {
    SetConsoleMode(input_, originalInputMode_);
    SetConsoleCursorInfo(output_, &originalCursor_);
  }
}

void Win32ConsoleBackend::EmergencyRestore() {
  if (!taken_.exchange(false)) return;
  SetConsoleMode(input_, originalInputMode_);
  SetConsoleCursorInfo(output_, &originalCursor_);
}

// Set-up on the process's own console.

namespace {

// The process's console: the exit, the error report and the console's
// control and crash handlers give it back from wherever the program is.
Win32ConsoleBackend* ProcessConsole = nullptr;

// The file the way out removes (a save's new file), for the control handler.
char FileToRemove[MAX_PATH + 1] = {};

[[noreturn]] void FailOpen(const char* message) {
  std::fputs(message, stdout);
  std::fputs("\n", stdout);
  std::fflush(stdout);
  std::exit(1);
}


// Ctrl+C, Ctrl+Break, closing the window, logging off: the console is given
// back and the event takes its usual course (the process ends). While
// another program runs, the break keys are that program's alone.
BOOL WINAPI OnControlEvent(DWORD type) {
  if (ProcessConsole == nullptr) return FALSE;
  if ((type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT) && ProcessConsole->Suspended()) return TRUE;
  if (FileToRemove[0] != '\0') DeleteFileA(FileToRemove);
  ProcessConsole->EmergencyRestore();
  return FALSE;
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS*) {
  if (ProcessConsole != nullptr) ProcessConsole->EmergencyRestore();
  return EXCEPTION_CONTINUE_SEARCH;
}

HANDLE OpenConsoleDevice(const char* name) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                     nullptr);
}

}  // namespace

void SetFileToRemoveOnTermination(std::string_view path) {
  FileToRemove[0] = '\0';
  if (path.size() < sizeof FileToRemove) {
    path.copy(FileToRemove, path.size());
    FileToRemove[path.size()] = '\0';
  }
}

void ConsoleRestore() {
  if (ProcessConsole != nullptr) ProcessConsole->Restore(ProcessConsole->LastScreen());
}

void ConsoleOpen(Console& target) {
  if (ProcessConsole != nullptr) return;
  // Standard output when it is the console, else the console itself.
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(output, &info)) {
    output = OpenConsoleDevice("CONOUT$");
    if (output == INVALID_HANDLE_VALUE) FailOpen("No way to get the console handle");
    if (!GetConsoleScreenBufferInfo(output, &info)) FailOpen("No way to get console screen buffer info");
  }
  // Input likewise.
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(input, &mode)) {
    input = OpenConsoleDevice("CONIN$");
    if (input == INVALID_HANDLE_VALUE) FailOpen("No way to get the console handle");
  }

  auto* console = new Win32ConsoleBackend(input, output);
  if (!console->Start()) FailOpen("No way to get console screen buffer info");
  ProcessConsole = console;
  SetConsoleCtrlHandler(OnControlEvent, TRUE);
  SetUnhandledExceptionFilter(OnCrash);
  std::atexit(ConsoleRestore);

  target.Attach(console, GetSystemMetrics(SM_MOUSEPRESENT) != 0);
  target.Screen.Attr = console->StartAttr();
  target.Screen.CursorColumn = console->StartCursorColumn();
  target.Screen.CursorRow = console->StartCursorRow();
  target.EnableMouse();
}

}  // namespace zeb
