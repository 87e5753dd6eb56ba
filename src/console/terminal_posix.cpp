#include "console/terminal_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "console/terminal_signals_posix.h"

namespace zeb {

namespace {

[[noreturn]] void LostTerminal(int error) {
  std::string message = "cannot read the terminal: ";
  message += error == 0 ? "end of input" : std::strerror(error);
  ConsoleFatal(message);
}


}  // namespace

TerminalBackend::TerminalBackend(int inputFd, int outputFd) : input_(inputFd), output_(outputFd) {
  queue_.reserve(256);
  buffer_.reserve(16384);
}

bool TerminalBackend::Start() {
  if (started_) return true;
  if (tcgetattr(input_, &original_) != 0) return false;
  raw_ = original_;
  raw_.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  raw_.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw_.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
  raw_.c_cflag |= CS8;
  raw_.c_cc[VMIN] = 1;
  raw_.c_cc[VTIME] = 0;
  if (tcsetattr(input_, TCSAFLUSH, &raw_) != 0) return false;
  started_ = true;
  SetTerminalTaken(true);
  ReadSize();
  Write(TerminalEnterSequence);
  return true;
}

void TerminalBackend::ReadSize() {
  winsize size{};
  if ((ioctl(output_, TIOCGWINSZ, &size) == 0 || ioctl(input_, TIOCGWINSZ, &size) == 0) && size.ws_col > 0 &&
      size.ws_row > 0) {
    width_ = size.ws_col;
    height_ = size.ws_row;
  } else {
    width_ = ScreenWidth;
    height_ = ScreenHeight;
  }
}

void TerminalBackend::CheckResize() {
  bool resized = TakeResize();
  if (!resized && !resizePending_) return;
  resizePending_ = false;
  ReadSize();
  view_.Valid = false;
  noticeShown_ = false;
}

void TerminalBackend::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(output_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && errno == EAGAIN) {
      pollfd out{output_, POLLOUT, 0};
      poll(&out, 1, 1000);
    } else {
      return;  // the terminal is gone; nothing to show it on
    }
  }
}

void TerminalBackend::Present(const ScreenModel& screen) {
  if (!Active()) return;
  last_ = screen;
  // Given back at a stop and continued in the background: the terminal is
  // someone else's until we are in the foreground again.
  if (TerminalGivenBack()) return;
  CheckResize();
  buffer_.clear();
  if (width_ < ScreenWidth || height_ < ScreenHeight) {
    if (!noticeShown_) {
      // A button held when the screen went out of sight is let go.
      if (lastButton_ != 0) {
        queue_.push_back(InputEvent::MouseAt(lastColumn_, lastRow_, 0));
        lastButton_ = 0;
      }
      RenderSizeNotice(width_, height_, buffer_);
      noticeShown_ = true;
      view_.Valid = false;
      view_.Attr = -1;
      view_.CursorColumn = view_.CursorRow = 0;
      view_.CursorVisible = false;
    }
  } else {
    noticeShown_ = false;
    RenderChanges(view_, screen, buffer_);
  }
  Write(buffer_);
}

bool TerminalBackend::ReadInput(int timeoutMilliseconds) {
  bool got = false;
  for (;;) {
    pollfd in{input_, POLLIN, 0};
    int ready = poll(&in, 1, got ? 0 : timeoutMilliseconds);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return got;
    }
    if (ready == 0) return got;
    if (in.revents & POLLNVAL) LostTerminal(EBADF);
    char bytes[1024];
    ssize_t count = read(input_, bytes, sizeof bytes);
    if (count > 0) {
      DecodeInput(decoder_, std::string_view(bytes, static_cast<std::size_t>(count)), queue_);
      got = true;
    } else if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
      if (errno == EAGAIN) return got;
    } else {
      LostTerminal(count == 0 ? 0 : errno);
    }
  }
}

void TerminalBackend::BeginPoll() {
  if (!Active()) return;
  std::size_t before = queue_.size();
  ReadInput(0);
  // A sequence cut off at the end of what came: its rest follows at once, or
  // it was a lone ESC.
  while (InputIncomplete(decoder_)) {
    if (!ReadInput(EscapeWaitMilliseconds)) FlushInput(decoder_, queue_);
  }
  if (noticeShown_) DropUnseenInput(before);
}

void TerminalBackend::DropUnseenInput(std::size_t from) {
  std::size_t kept = from;
  for (std::size_t i = from; i < queue_.size(); ++i) {
    const InputEvent& event = queue_[i];
    if (event.Type == InputEvent::Kind::Mouse && event.Button == 0) queue_[kept++] = event;
  }
  queue_.resize(kept);
}

bool TerminalBackend::NextEvent(InputEvent& event) {
  if (next_ >= queue_.size()) return false;
  event = queue_[next_++];
  if (event.Type == InputEvent::Kind::Mouse) {
    lastButton_ = event.Button;
    lastColumn_ = event.Column;
    lastRow_ = event.Row;
  }
  if (next_ == queue_.size()) {
    queue_.clear();
    next_ = 0;
  }
  return true;
}

void TerminalBackend::WaitInput() {
  if (!Active() || next_ < queue_.size() || InputIncomplete(decoder_)) return;
  for (;;) {
    pollfd waits[2] = {{input_, POLLIN, 0}, {ResizeWakeFd(), POLLIN, 0}};
    int ready = poll(waits, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (waits[1].revents & POLLIN) {
      // The terminal changed its size: show the screen anew at once.
      resizePending_ = true;
      Present(last_);
      return;
    }
    if (waits[0].revents != 0) return;
  }
}

void TerminalBackend::Sleep(int milliseconds) {
  if (milliseconds <= 0) return;
  timespec rest{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
  }
}

void TerminalBackend::Beep() {
  if (Active()) Write("\a");
}

void TerminalBackend::SetMouseReporting(bool on) {
  if (!Active() || on == mouse_) return;
  mouse_ = on;
  SetTerminalMouse(on);
  Write(on ? MouseOnSequence : MouseOffSequence);
}

void TerminalBackend::Suspend(const ScreenModel& screen) {
  if (!Active() || suspended_) return;
  Present(screen);
  int last = LastRowWithText(screen);
  // The other program's output goes below what is on the screen, in the
  // launch screen's colours (also the line a scroll brings in).
  buffer_.assign(HandOverColours);
  if (last + 1 <= height_) {
    AppendCursorMove(buffer_, 1, last + 1);
  } else {
    AppendCursorMove(buffer_, 1, height_);
    buffer_ += "\r\n";
  }
  buffer_ += "\x1b[?25h\x1b[?7h";
  if (mouse_) buffer_ += MouseOffSequence;
  mouse_ = false;
  SetTerminalMouse(false);
  Write(buffer_);
  tcsetattr(input_, TCSAFLUSH, &original_);
  SetTerminalHandedOver(true);
  suspended_ = true;
  view_.Attr = -1;
  view_.CursorColumn = view_.CursorRow = 0;
  view_.CursorVisible = true;
}

void TerminalBackend::Resume() {
  if (!Active() || !suspended_) return;
  suspended_ = false;
  SetTerminalHandedOver(false);
  tcsetattr(input_, TCSAFLUSH, &raw_);
  // No repaint: what the other program wrote stays until the screen changes
  // there or a full repaint is asked for.
  buffer_.assign("\x1b[?7l");
  if (!last_.CursorVisible) {
    buffer_ += "\x1b[?25l";
    view_.CursorVisible = false;
  }
  Write(buffer_);
}

// Everything is shown anew at the next showing, at the terminal's size as
// it is then.
void TerminalBackend::RepaintAll() {
  view_.Valid = false;
  resizePending_ = true;
}

void TerminalBackend::Restore(const ScreenModel&) {
  if (!Active()) return;
  restored_ = true;
  mouse_ = false;
  SetTerminalMouse(false);
  Write(TerminalRestoreSequence);
  tcsetattr(input_, TCSAFLUSH, &original_);
  SetTerminalTaken(false);
}

// Set-up on the process's own terminal.

namespace {

// The process's terminal: the exit, the error report and the signal
// handlers give it back from wherever the program is.
TerminalBackend* Terminal = nullptr;

[[noreturn]] void FailOpen(const char* message) {
  std::string line = message;
  line += '\n';
  ssize_t ignored = write(STDOUT_FILENO, line.data(), line.size());
  (void)ignored;
  std::exit(1);
}

}  // namespace

void ConsoleRestore() {
  if (Terminal != nullptr) Terminal->Restore(Terminal->LastScreen());
}

void ConsoleOpen(Console& console) {
  if (Terminal != nullptr) return;
  int tty = -1;
  auto openTty = [&tty] {
    if (tty < 0) tty = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0) FailOpen("No way to get the console handle");
    return tty;
  };
  // Output to standard output when it is the terminal, else to the
  // process's terminal itself; input likewise.
  int output = isatty(STDOUT_FILENO) ? STDOUT_FILENO : openTty();
  termios mode{};
  if (tcgetattr(output, &mode) != 0) FailOpen("No way to get console screen buffer info");
  int input = isatty(STDIN_FILENO) ? STDIN_FILENO : openTty();

  // No termination signal nor a stop from the keyboard may come between
  // taking the terminal and having the handlers that give it back.
  sigset_t blocked;
  sigset_t previous;
  sigemptyset(&blocked);
  for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGTSTP, SIGCONT}) sigaddset(&blocked, signal);
  sigprocmask(SIG_BLOCK, &blocked, &previous);
  auto* terminal = new TerminalBackend(input, output);
  if (!terminal->Start()) FailOpen("No way to get console screen buffer info");
  InstallTerminalSignals(input, output, terminal->OriginalMode(), terminal->RawMode());
  Terminal = terminal;
  std::atexit(ConsoleRestore);
  sigprocmask(SIG_SETMASK, &previous, nullptr);

  console.Attach(terminal, true);
  console.EnableMouse();
}

}  // namespace zeb
