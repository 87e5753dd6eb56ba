#include "console/console.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zeb {

namespace {

// More notches than this are not kept: each one takes the main loop a while.
constexpr int MaxWheelNotches = 100;

}  // namespace

Console::Console(ConsoleBackend* backend) { Attach(backend, backend != nullptr); }

void Console::Attach(ConsoleBackend* backend, bool mousePresent) {
  backend_ = backend;
  MousePresent = backend != nullptr && mousePresent;
}

void Console::ScrollUp() {
  for (int row = 0; row + 1 < ScreenHeight; ++row) {
    std::copy(Screen.Cells[row + 1], Screen.Cells[row + 1] + ScreenWidth, Screen.Cells[row]);
  }
  std::fill(Screen.Cells[ScreenHeight - 1], Screen.Cells[ScreenHeight - 1] + ScreenWidth, Cell{' ', Screen.Attr});
}

void Console::NextRow() {
  if (++Screen.CursorRow > ScreenHeight) {
    ScrollUp();
    Screen.CursorRow = ScreenHeight;
  }
}

// A key arrived or the left button went down: the poll stops there, so that
// the main loop gets to see each of them. Wheel notches are added up: all
// that came since the last poll make one scroll.
bool Console::TakeEvent(const InputEvent& event) {
  if (event.Type == InputEvent::Kind::Wheel) {
    // Kept for the main loop; the position and the button stay as they were.
    if (MousePresent) wheelNotches_ = std::clamp(wheelNotches_ + event.Notch, -MaxWheelNotches, MaxWheelNotches);
    return false;
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
  pendingKey_ = event.Code;
  extendedPending_ = event.Extended;
  return true;
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

void Console::PutText(std::string_view text, Point at, Colours colours) {
  Screen.Attr = static_cast<unsigned char>((colours.Foreground & 15) + 16 * (colours.Background & 15));
  int column = std::min(at.Column, ScreenWidth);
  int row = std::min(at.Row, ScreenHeight);
  if (column < 1 || row < 1) return;
  std::size_t room = static_cast<std::size_t>(ScreenWidth - column + 1);
  if (text.size() > room) text = text.substr(0, room);
  Cell* cell = &Screen.Cells[row - 1][column - 1];
  for (char c : text) *cell++ = Cell{static_cast<unsigned char>(c), Screen.Attr};
}

void Console::ClearScreen() {
  for (auto& row : Screen.Cells) std::fill(row, row + ScreenWidth, Cell{' ', Screen.Attr});
  Screen.CursorColumn = 1;
  Screen.CursorRow = 1;
}

void Console::SetColours(int foreground, int background) {
  Screen.Attr = static_cast<unsigned char>((foreground & 15) + 16 * (background & 15));
}

bool Console::KeyWaiting() {
  if (pendingKey_ != 0 || extendedPending_) return true;
  if (backend_ == nullptr) return false;
  backend_->Present(Screen);
  backend_->BeginPoll();
  InputEvent event;
  while (backend_->NextEvent(event)) {
    if (TakeEvent(event)) break;
  }
  return pendingKey_ != 0 || extendedPending_;
}

unsigned char Console::GetKey() {
  for (;;) {
    bool waiting = KeyWaiting();
    wheelNotches_ = 0;  // the wheel does nothing while a key is awaited
    if (waiting) break;
    if (backend_ == nullptr) return 0;
    backend_->WaitInput();
  }
  if (extendedPending_) {
    extendedPending_ = false;
    return 0;
  }
  unsigned char key = pendingKey_;
  pendingKey_ = 0;
  return key;
}

bool Console::TakeKey(KeyPress& key) {
  if (!KeyWaiting()) return false;
  key = KeyPress{extendedPending_, pendingKey_};
  pendingKey_ = 0;
  extendedPending_ = false;
  return true;
}

int Console::TakeWheelNotches() {
  int notches = wheelNotches_;
  wheelNotches_ = 0;
  return notches;
}

void Console::WaitForInput() {
  if (backend_ == nullptr) return;
  backend_->Present(Screen);
  backend_->WaitInput();
}

bool SameScreen(const ScreenModel& a, const ScreenModel& b) {
  for (int row = 0; row < ScreenHeight; ++row) {
    for (int column = 0; column < ScreenWidth; ++column) {
      const Cell& x = a.Cells[row][column];
      const Cell& y = b.Cells[row][column];
      if (x.Char != y.Char || x.Attr != y.Attr) return false;
    }
  }
  return a.CursorVisible == b.CursorVisible && a.CursorColumn == b.CursorColumn && a.CursorRow == b.CursorRow;
}

int LastRowWithText(const ScreenModel& screen) {
  int last = 0;
  for (int row = 1; row <= ScreenHeight; ++row) {
    for (const Cell& cell : screen.Cells[row - 1]) {
      bool blankChar = cell.Char == ' ' || cell.Char == 0 || cell.Char == 0xFF;
      bool black = blankChar ? (cell.Attr >> 4) == 0 : cell.Char == 0xDB && (cell.Attr & 15) == 0;
      if (!black) {
        last = row;
        break;
      }
    }
  }
  return last;
}

void Console::Pause(int milliseconds) {
  ++pauseCount_;
  if (backend_ == nullptr) return;
  backend_->Present(Screen);
  backend_->Sleep(milliseconds);
}

void Console::Show() {
  if (backend_ != nullptr) backend_->Present(Screen);
}

void Console::HideCursor() { Screen.CursorVisible = false; }
void Console::ShowCursor() { Screen.CursorVisible = true; }

void Console::EnableMouse() {
  if (!MousePresent || mouseEnabled_ || backend_ == nullptr) return;
  mouseEnabled_ = true;
  backend_->SetMouseReporting(true);
}

void Console::PutAtCursor(unsigned char c) {
  Screen.Cells[Screen.CursorRow - 1][Screen.CursorColumn - 1] = Cell{c, Screen.Attr};
  if (++Screen.CursorColumn > ScreenWidth) {
    Screen.CursorColumn = 1;
    NextRow();
  }
}

void Console::ShowProgress() {
  if (backend_ != nullptr) backend_->Present(Screen);
}

void Console::ProgressWrite(std::string_view text) {
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
        if (backend_ != nullptr) backend_->Beep();
        break;
      default:
        PutAtCursor(c);
        break;
    }
  }
  ShowProgress();
}

void Console::ProgressGlyphs(std::string_view text) {
  for (char c : text) PutAtCursor(static_cast<unsigned char>(c));
  ShowProgress();
}

void Console::ProgressLine(std::string_view text) {
  ProgressWrite(text);
  ProgressWrite("\r\n");
}

void Console::Suspend() {
  if (backend_ != nullptr) backend_->Suspend(Screen);
}

void Console::Resume() {
  if (backend_ == nullptr) return;
  backend_->Resume();
  if (mouseEnabled_) backend_->SetMouseReporting(true);
}

void Console::RepaintAll() {
  if (backend_ != nullptr) backend_->RepaintAll();
}

void Console::Restore() {
  if (backend_ != nullptr) backend_->Restore(Screen);
}

}  // namespace zeb
