#include "console/scripted_backend.h"

namespace zeb {

ScriptedBackend& ScriptedBackend::Batch(std::vector<InputEvent> events) {
  batches_.push_back(std::move(events));
  return *this;
}

ScriptedBackend& ScriptedBackend::Keys(std::string_view text) {
  for (char c : text) Batch({InputEvent::Key(static_cast<unsigned char>(c))});
  return *this;
}

ScriptedBackend& ScriptedBackend::Special(unsigned char code) { return Batch({InputEvent::Special(code)}); }

ScriptedBackend& ScriptedBackend::Click(int column, int row) {
  Batch({InputEvent::MouseAt(column, row, 1)});
  return Batch({InputEvent::MouseAt(column, row, 0)});
}

ScriptedBackend& ScriptedBackend::Hold(int column, int row, int polls) {
  Batch({InputEvent::MouseAt(column, row, 1)});
  for (int i = 0; i < polls; ++i) Batch({});
  return Batch({InputEvent::MouseAt(column, row, 0)});
}

ScriptedBackend& ScriptedBackend::Wheel(int notches) {
  std::vector<InputEvent> events;
  int notch = notches < 0 ? -1 : 1;
  for (int n = notches * notch; n > 0; --n) events.push_back(InputEvent::WheelNotch(notch));
  return Batch(std::move(events));
}

void ScriptedBackend::BeginPoll() {
  // A new poll: the next batch arrives, unless the last one is still being
  // taken in (a poll stops at a key or a press).
  if (current_.empty() && !batches_.empty()) {
    current_.assign(batches_.front().begin(), batches_.front().end());
    batches_.pop_front();
  }
}

bool ScriptedBackend::NextEvent(InputEvent& event) {
  if (current_.empty()) return false;
  event = current_.front();
  current_.pop_front();
  return true;
}

void ScriptedBackend::WaitInput() {
  if (batches_.empty() && current_.empty()) throw ScriptEnded();
}

void ScriptedBackend::Sleep(int milliseconds) {
  Clock += milliseconds;
  Pauses.push_back(milliseconds);
}

void ScriptedBackend::Suspend(const ScreenModel& screen) {
  Suspended = true;
  LastSuspendScreen = screen;
}

std::string RowText(const ScreenModel& screen, int row) { return TextAt(screen, 1, row, ScreenWidth); }

std::string TextAt(const ScreenModel& screen, int column, int row, int length) {
  std::string text;
  for (int c = column; c < column + length && c <= ScreenWidth; ++c) {
    text += static_cast<char>(screen.Cells[row - 1][c - 1].Char);
  }
  return text;
}

unsigned char AttrAt(const ScreenModel& screen, int column, int row) {
  return screen.Cells[row - 1][column - 1].Attr;
}
int ForegroundAt(const ScreenModel& screen, int column, int row) { return AttrAt(screen, column, row) & 15; }
int BackgroundAt(const ScreenModel& screen, int column, int row) { return AttrAt(screen, column, row) >> 4; }

}  // namespace zeb
