#pragma once
// A console backend driven by a script, for tests. Input is a queue of
// batches; each poll takes in one batch (the events that "arrived since the
// last poll"), so a press and its release in separate batches make exactly
// one click. Pauses advance a virtual clock instead of sleeping. When the
// script has run out while the program waits for input, ScriptEnded is
// thrown: a test never hangs.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/console.h"

namespace zeb {

struct ScriptEnded : std::runtime_error {
  ScriptEnded() : std::runtime_error("the input script ran out while the program waited for input") {}
};

class ScriptedBackend : public ConsoleBackend {
 public:
  // Queue one batch of events.
  ScriptedBackend& Batch(std::vector<InputEvent> events);
  // Convenience: one batch per key; text keys one batch each.
  ScriptedBackend& Keys(std::string_view text);
  ScriptedBackend& Special(unsigned char code);
  // A left click at (column, row): the press and the release in two batches.
  ScriptedBackend& Click(int column, int row);
  // The press alone, held for `polls` polls (empty batches), then released.
  ScriptedBackend& Hold(int column, int row, int polls);
  // Wheel notches in one batch: negative up, positive down.
  ScriptedBackend& Wheel(int notches);

  void Present(const ScreenModel&) override { ++Presents; }
  void BeginPoll() override;
  bool NextEvent(InputEvent& event) override;
  void WaitInput() override;
  void Sleep(int milliseconds) override;
  void Beep() override { ++Beeps; }
  void SetMouseReporting(bool on) override { MouseReporting = on; }
  void Suspend(const ScreenModel& screen) override;
  void Resume() override { Suspended = false; ++Resumes; }
  void RepaintAll() override { ++Repaints; }
  void Restore(const ScreenModel&) override { Restored = true; }

  bool ScriptDone() const { return batches_.empty() && current_.empty(); }

  // What the program did with the backend.
  long long Clock = 0;             // virtual milliseconds slept
  std::vector<int> Pauses;         // every pause, in order
  int Presents = 0;
  int Beeps = 0;
  int Resumes = 0;
  int Repaints = 0;
  bool MouseReporting = false;
  bool Suspended = false;
  bool Restored = false;
  ScreenModel LastSuspendScreen;  // the screen as shown when a program started

 private:
  std::deque<std::vector<InputEvent>> batches_;
  std::deque<InputEvent> current_;
};

// Reading a screen model in tests.
std::string RowText(const ScreenModel& screen, int row);  // the 80 bytes of a row
std::string TextAt(const ScreenModel& screen, int column, int row, int length);
unsigned char AttrAt(const ScreenModel& screen, int column, int row);
int ForegroundAt(const ScreenModel& screen, int column, int row);
int BackgroundAt(const ScreenModel& screen, int column, int row);

}  // namespace zeb
