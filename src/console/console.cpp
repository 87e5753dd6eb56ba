#include "console/console.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zeb {

ScreenModel Screen;
int MouseColumn;
int MouseRow;
int MouseButton;
bool MousePresent;

namespace {

ConsoleBackend* Backend = nullptr;
unsigned char PendingKey = 0;
bool ExtendedPending = false;
bool MouseEnabled = false;
int WheelNotches = 0;
// More notches than this are not kept: each one takes the main loop a while.
constexpr int MaxWheelNotches = 100;

void ScrollUp() {
  for (int row = 0; row + 1 < ScreenHeight; ++row) {
    std::copy(Screen.Cells[row + 1], Screen.Cells[row + 1] + ScreenWidth, Screen.Cells[row]);
  }
  std::fill(Screen.Cells[ScreenHeight - 1], Screen.Cells[ScreenHeight - 1] + ScreenWidth, Cell{' ', Screen.Attr});
}

void NextRow() {
  if (++Screen.CursorRow > ScreenHeight) {
    ScrollUp();
    Screen.CursorRow = ScreenHeight;
  }
}

// Takes in one event; true when the poll should stop here (a key arrived, a
// wheel notch came or the left button went down: the main loop must get to
// see each of them).
bool TakeEvent(const InputEvent& event) {
  if (event.Type == InputEvent::Kind::Wheel) {
    // Kept for the main loop; the position and the button stay as they were.
    if (!MousePresent) return false;
    WheelNotches = std::clamp(WheelNotches + event.Notch, -MaxWheelNotches, MaxWheelNotches);
    return true;
  }
  if (event.Type == InputEvent::Kind::Mouse) {
    if (!MousePresent) return false;
    bool pressed = event.Button == 1 && MouseButton != 1;
    MouseColumn = event.Column;
    MouseRow = event.Row;
    MouseButton = event.Button;
    return pressed;
  }
  if (!event.Extended && event.Code == 0) return false;
  PendingKey = event.Code;
  ExtendedPending = event.Extended;
  return true;
}

}  // namespace

void ConsoleUseBackend(ConsoleBackend* backend) {
  Backend = backend;
  Screen = ScreenModel{};
  for (auto& row : Screen.Cells) std::fill(row, row + ScreenWidth, Cell{' ', 7});
  PendingKey = 0;
  ExtendedPending = false;
  MouseColumn = MouseRow = MouseButton = 0;
  MousePresent = backend != nullptr;
  MouseEnabled = false;
  WheelNotches = 0;
}

void ConsoleRestore() {
  if (Backend != nullptr) Backend->Restore();
}

void ConsoleFatal(std::string_view message) {
  ConsoleRestore();
  // Whoever built the message, no byte of it may reach the terminal as a
  // control character: each is shown as \x and two hexadecimal digits. A
  // line feed starts a new line of the report.
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string report = "zeb: ";
  for (char c : message) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      report += "\nzeb: ";
    } else if (byte >= 0x20 && byte <= 0x7E) {
      report += c;
    } else {
      report += "\\x";
      report += Hex[byte >> 4];
      report += Hex[byte & 15];
    }
  }
  report += '\n';
  std::fwrite(report.data(), 1, report.size(), stderr);
  std::fflush(stderr);
  std::exit(1);
}

void PutText(std::string_view text, int column, int row, int foreground, int background) {
  Screen.Attr = static_cast<unsigned char>((foreground & 15) + 16 * (background & 15));
  column = std::min(column, ScreenWidth);
  row = std::min(row, ScreenHeight);
  if (column < 1 || row < 1) return;
  std::size_t room = static_cast<std::size_t>(ScreenWidth - column + 1);
  if (text.size() > room) text = text.substr(0, room);
  Cell* cell = &Screen.Cells[row - 1][column - 1];
  for (char c : text) *cell++ = Cell{static_cast<unsigned char>(c), Screen.Attr};
}

void ClearScreen() {
  for (auto& row : Screen.Cells) std::fill(row, row + ScreenWidth, Cell{' ', Screen.Attr});
  Screen.CursorColumn = 1;
  Screen.CursorRow = 1;
}

void SetColours(int foreground, int background) {
  Screen.Attr = static_cast<unsigned char>((foreground & 15) + 16 * (background & 15));
}

bool KeyWaiting() {
  if (PendingKey != 0 || ExtendedPending) return true;
  if (Backend == nullptr) return false;
  Backend->Present(Screen);
  Backend->BeginPoll();
  InputEvent event;
  while (Backend->NextEvent(event)) {
    if (TakeEvent(event)) break;
  }
  return PendingKey != 0 || ExtendedPending;
}

unsigned char GetKey() {
  for (;;) {
    bool waiting = KeyWaiting();
    WheelNotches = 0;  // the wheel does nothing while a key is awaited
    if (waiting) break;
    if (Backend == nullptr) return 0;
    Backend->WaitInput();
  }
  if (ExtendedPending) {
    ExtendedPending = false;
    return 0;
  }
  unsigned char key = PendingKey;
  PendingKey = 0;
  return key;
}

int TakeWheelNotches() {
  int notches = WheelNotches;
  WheelNotches = 0;
  return notches;
}

void WaitForInput() {
  if (Backend == nullptr) return;
  Backend->Present(Screen);
  Backend->WaitInput();
}

void Pause(int milliseconds) {
  if (Backend == nullptr) return;
  Backend->Present(Screen);
  Backend->Sleep(milliseconds);
}

void HideCursor() { Screen.CursorVisible = false; }
void ShowCursor() { Screen.CursorVisible = true; }

void EnableMouse() {
  if (!MousePresent || MouseEnabled || Backend == nullptr) return;
  MouseEnabled = true;
  Backend->SetMouseReporting(true);
}

namespace {

void PutAtCursor(unsigned char c) {
  Screen.Cells[Screen.CursorRow - 1][Screen.CursorColumn - 1] = Cell{c, Screen.Attr};
  if (++Screen.CursorColumn > ScreenWidth) {
    Screen.CursorColumn = 1;
    NextRow();
  }
}

void ShowProgress() {
  if (Backend != nullptr) Backend->Present(Screen);
}

}  // namespace

void ProgressWrite(std::string_view text) {
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\n':
        NextRow();
        break;
      case '\r':
        Screen.CursorColumn = 1;
        break;
      case 8:
        if (Screen.CursorColumn > 1) --Screen.CursorColumn;
        break;
      case 7:
        if (Backend != nullptr) Backend->Beep();
        break;
      default:
        PutAtCursor(c);
        break;
    }
  }
  ShowProgress();
}

void ProgressGlyphs(std::string_view text) {
  for (char c : text) PutAtCursor(static_cast<unsigned char>(c));
  ShowProgress();
}

void ProgressLine(std::string_view text) {
  ProgressWrite(text);
  ProgressWrite("\r\n");
}

void ConsoleSuspend() {
  if (Backend == nullptr) return;
  Backend->Suspend(Screen);
}

void ConsoleResume() {
  if (Backend == nullptr) return;
  Backend->Resume();
  if (MouseEnabled) Backend->SetMouseReporting(true);
}

void ConsoleRepaintAll() {
  if (Backend != nullptr) Backend->RepaintAll();
}

}  // namespace zeb
