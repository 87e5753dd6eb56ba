#pragma once
// The user's terminal as the console: raw mode, the alternate screen, xterm
// control sequences, SGR mouse reports. ConsoleOpen sets it up on the
// process's terminal; tests can run one on a pseudo-terminal.

#include <termios.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "console/input_decoder.h"
#include "console/terminal_render.h"

namespace zeb {

class TerminalBackend : public ConsoleBackend {
 public:
  // How long a lone ESC waits for the rest of a sequence before it is the
  // Esc key.
  static constexpr int EscapeWaitMilliseconds = 25;

  // Input is read from `inputFd`, output written to `outputFd` (both on the
  // same terminal). Nothing is changed until Start.
  TerminalBackend(int inputFd, int outputFd);

  // Takes the terminal: raw mode without signal keys, the alternate screen.
  // False (and nothing changed) when the terminal's mode cannot be read.
  bool Start();
  const termios& OriginalMode() const { return original_; }
  const termios& RawMode() const { return raw_; }

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
  // The screen as last shown (or to be shown once the terminal is back).
  const ScreenModel& LastScreen() const { return last_; }

 private:
  bool Active() const { return started_ && !restored_; }
  void ReadSize();
  void CheckResize();
  // Reads what input there is, waiting up to `timeoutMilliseconds` for the
  // first byte; true when anything was read.
  bool ReadInput(int timeoutMilliseconds);
  void Write(std::string_view bytes);
  // While the size notice shows, the screen cannot be seen: keys and
  // clicks are dropped, only a button's release is handed on.
  void DropUnseenInput(std::size_t from);

  int input_;
  int output_;
  termios original_{};
  termios raw_{};
  bool started_ = false;
  bool restored_ = false;
  bool suspended_ = false;
  bool mouse_ = false;
  bool noticeShown_ = false;
  int lastButton_ = 0;  // the mouse button after the last event handed out
  int lastColumn_ = 0;
  int lastRow_ = 0;
  bool resizePending_ = false;
  int width_ = ScreenWidth;
  int height_ = ScreenHeight;
  TerminalView view_;
  ScreenModel last_;  // the screen as last presented
  InputDecoder decoder_;
  std::vector<InputEvent> queue_;
  std::size_t next_ = 0;
  std::string buffer_;
};

}  // namespace zeb
