#pragma once
// The Windows console as the console: the screen model drawn into the
// console's screen buffer with WriteConsoleOutputW (code page 437 glyphs as
// Unicode), keys and mouse from its input records. ConsoleOpen sets it up
// on the process's console; tests run one on handles of their own.

#include <windows.h>

#include <atomic>
#include <vector>

#include "console/console.h"
#include "console/console_records.h"

namespace zeb {

class Win32ConsoleBackend : public ConsoleBackend {
 public:
  // Input is read from `input`, the screen drawn on `output`. Nothing is
  // changed until Start.
  Win32ConsoleBackend(HANDLE input, HANDLE output);

  // Saves the console's input mode and cursor and sets ours: no processing
  // of control keys, no quick edit, no line input or echo. The screen is
  // drawn with its top-left cell at the window's top-left as it is now.
  // False (nothing changed) when the output is no console screen buffer.
  bool Start();
  // What the console showed at the start, 1-based in our screen; the
  // attribute in use.
  int StartCursorColumn() const { return startColumn_; }
  int StartCursorRow() const { return startRow_; }
  unsigned char StartAttr() const { return startAttr_; }

  void Present(const ScreenModel& screen) override;
  void BeginPoll() override;
  bool NextEvent(InputEvent& event) override;
  void WaitInput() override;
  void Sleep(int milliseconds) override;
  void Beep() override;
  void SetMouseReporting(bool on) override;
  void Suspend(const ScreenModel& screen) override;
  void Resume() override;
  void RepaintAll() override;
  void Restore(const ScreenModel& screen) override;
  // The screen as last shown.
  const ScreenModel& LastScreen() const { return last_; }

  // What showing the screen has written so far: cells and console calls.
  long long CellsWritten() const { return cellsWritten_; }
  long long WriteCalls() const { return writeCalls_; }

  // The console's own input mode and cursor back at once, from any thread
  // (a console control event, a crash); nothing else is touched. Once.
  void EmergencyRestore();
  // Whether another program runs on the console now.
  bool Suspended() const { return suspended_; }

 private:
  bool Active() const { return started_ && !restored_; }
  DWORD OurInputMode() const;
  void SetCursor(bool visible, int column, int row);
  // Puts the console's cursor, shown, at the start of the row below the
  // last text of the screen.
  void CursorBelowText(const ScreenModel& screen);
  void ReadRecords();

  HANDLE input_;
  HANDLE output_;
  bool started_ = false;
  bool restored_ = false;
  std::atomic<bool> taken_{false};  // our input mode and cursor are set
  std::atomic<bool> suspended_{false};
  bool mouse_ = false;
  DWORD originalInputMode_ = 0;
  CONSOLE_CURSOR_INFO originalCursor_{};
  SHORT originX_ = 0;
  SHORT originY_ = 0;
  int startColumn_ = 1;
  int startRow_ = 1;
  unsigned char startAttr_ = 7;

  // What the console shows, as far as we know.
  Cell shown_[ScreenHeight][ScreenWidth];
  bool shownValid_ = false;
  bool cursorVisible_ = true;
  int cursorColumn_ = 0;  // 0: unknown
  int cursorRow_ = 0;

  ScreenModel last_;  // the model as last shown
  ConsoleRecordDecoder decoder_;
  std::vector<InputEvent> queue_;
  std::size_t next_ = 0;
  long long cellsWritten_ = 0;
  long long writeCalls_ = 0;
};

}  // namespace zeb
