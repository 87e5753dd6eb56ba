#pragma once
// Console services: the screen the interface draws on, the keyboard and the
// mouse. Drawing changes only the screen model below; a backend shows the
// model on a real terminal (or records it, in tests) before every wait.
//
// Positions are 1-based (column, row); colours are the console colour
// numbers 0 to 15 (1 blue, 2 green, 4 red, 8 bright); characters are single
// bytes shown with their code page 437 glyphs.

#include <cstdint>
#include <string_view>

#include "console/colours.h"

namespace zeb {

constexpr int ScreenWidth = 80;   // W
constexpr int ScreenHeight = 25;  // H

struct Cell {
  unsigned char Char = ' ';
  unsigned char Attr = 7;  // foreground + 16 x background
};

struct ScreenModel {
  Cell Cells[ScreenHeight][ScreenWidth];
  int CursorColumn = 1;  // where progress output continues
  int CursorRow = 1;
  bool CursorVisible = true;
  unsigned char Attr = 7;  // the current colours
};

// True when both show the same: every cell, and the cursor.
bool SameScreen(const ScreenModel& a, const ScreenModel& b);
// The last row that shows anything but black (0 for none): a blank on black,
// or a full block in black (how the screen is blacked out), shows nothing.
// Another program's output goes below it.
int LastRowWithText(const ScreenModel& screen);

// Set-up on the user's terminal (program start, before anything is drawn):
// the process's terminal becomes the backend of `console`, for the whole run.
class Console;
void ConsoleOpen(Console& console);
// Gives the process's terminal back as it was found: normal mode, no mouse
// reporting, cursor shown, normal screen. Safe to call more than once, and
// before ConsoleOpen (it then does nothing).
void ConsoleRestore();
// A file that the process's way out by a termination signal (or, on
// Windows, the console window closed) removes first: the new file of a save
// in progress, which must not stay behind. Empty: none.
void SetFileToRemoveOnTermination(std::string_view path);
// The run-time error report: gives the terminal back, writes
// "zeb: <message>" to standard error and ends the program with status 1.
// Each line of the message gets its own "zeb: "; control bytes and bytes
// above 126 are written as "\x1B" and the like, never as themselves.
[[noreturn]] void ConsoleFatal(std::string_view message);

// A cell of the screen, 1-based: column 1, row 1 is the top-left one.
struct Point {
  int Column = 1;
  int Row = 1;
};

// A key as the interface takes it: a special key (Extended, with the PC
// code of the key, Up 72) or a character (its byte).
struct KeyPress {
  bool Extended = false;
  unsigned char Code = 0;

  bool IsCharacter(unsigned char c) const { return !Extended && Code == c; }
  bool IsSpecial(unsigned char code) const { return Extended && Code == code; }
};

// One decoded input event.
struct InputEvent {
  enum class Kind : uint8_t { Key, Mouse, Wheel };
  Kind Type = Kind::Key;
  // Key: Extended is true for a special key whose code is Code (the byte
  // that follows the 0); otherwise Code is the character.
  bool Extended = false;
  unsigned char Code = 0;
  // Mouse: position and button after the event (0 none, 1 left, 2 right).
  int Column = 0;
  int Row = 0;
  int Button = 0;
  // Wheel: -1 a notch up, +1 a notch down. It leaves the mouse state alone.
  int Notch = 0;

  static InputEvent Key(unsigned char code) { return InputEvent{Kind::Key, false, code, 0, 0, 0}; }
  static InputEvent Special(unsigned char code) { return InputEvent{Kind::Key, true, code, 0, 0, 0}; }
  static InputEvent MouseAt(int column, int row, int button) {
    return InputEvent{Kind::Mouse, false, 0, column, row, button};
  }
  static InputEvent WheelNotch(int notch) { return InputEvent{Kind::Wheel, false, 0, 0, 0, 0, notch}; }
};

// What shows the screen and delivers input: the user's terminal, or a script
// in tests.
class ConsoleBackend {
 public:
  virtual ~ConsoleBackend() = default;
  // The screen is to be shown as the model holds it (before every wait).
  virtual void Present(const ScreenModel& screen) = 0;
  // A poll begins: take in what has arrived since the last one.
  virtual void BeginPoll() {}
  // The next input event of this poll, without waiting.
  virtual bool NextEvent(InputEvent& event) = 0;
  // Blocks until input arrives.
  virtual void WaitInput() = 0;
  virtual void Sleep(int milliseconds) = 0;
  virtual void Beep() = 0;
  virtual void SetMouseReporting(bool on) = 0;
  virtual void Suspend(const ScreenModel& screen) = 0;
  virtual void Resume() = 0;
  virtual void RepaintAll() = 0;
  // Gives the terminal back for good; `screen` is the model as it stands
  // (a console that keeps what it shows shows it once more).
  virtual void Restore(const ScreenModel& screen) = 0;
};

// The console the interface draws on and reads from: the screen model, the
// key and mouse state, and the backend that shows the one and delivers the
// other. Drawing changes only the model; the model is shown before every
// wait. Without a backend nothing is shown and no input comes.
class Console {
 public:
  Console() = default;
  // A console shown and fed by `backend` (a script in tests), with a mouse.
  explicit Console(ConsoleBackend* backend);
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  ScreenModel Screen;
  // Mouse state: 1-based position (0 before the first mouse event) and the
  // button (0 none, 1 left alone, 2 right alone). It changes only while the
  // console is polled.
  int MouseColumn = 0;
  int MouseRow = 0;
  int MouseButton = 0;
  bool MousePresent = false;

  // Writes the text on one row from `at` on, cut at the right edge, every
  // character in `colours`; the current colours become those.
  void PutText(std::string_view text, Point at, Colours colours);
  void ClearScreen();
  void SetColours(int foreground, int background);

  // Waits for a key and returns it; a special key comes as 0 and then its
  // code. For the waits outside the interface ("Press any key").
  unsigned char GetKey();
  // True when a key can be read without waiting; also takes in mouse events.
  bool KeyWaiting();
  // The waiting key, whole, when there is one (the poll is KeyWaiting's):
  // how the interface takes its keys.
  bool TakeKey(KeyPress& key);
  // Blocks until any input arrives (a key or a mouse event); costs nothing
  // while it waits. The idle main loop calls it.
  void WaitForInput();
  void Pause(int milliseconds);
  // Shows the model now, as every wait does first (long work shows its
  // progress so).
  void Show();
  // How many pauses have been taken so far: a held click whose action
  // takes one repeats at its pace.
  long long PauseCount() const { return pauseCount_; }

  void HideCursor();
  void ShowCursor();
  void EnableMouse();

  // Progress output: text at the cursor in the current colours, with line
  // feed, carriage return, backspace, bell, wrap and scroll. Each write is
  // shown at once: the importers' lines are seen while they work.
  void ProgressWrite(std::string_view text);
  // The text followed by a line break (carriage return, line feed).
  void ProgressLine(std::string_view text = {});
  // Text from outside (another program's messages) at the cursor, with wrap
  // and scroll: every byte shows its glyph, control bytes included.
  void ProgressGlyphs(std::string_view text);

  // Hands the terminal to another program (shows the screen first, then the
  // terminal's own mode, cursor shown below the screen's text, no mouse
  // reporting) and takes it back afterwards. What the program printed stays
  // readable after the resume: only cells the model changes are written,
  // until RepaintAll has the next showing write every cell again.
  void Suspend();
  void Resume();
  void RepaintAll();
  // Gives the backend's terminal back (the end of the run).
  void Restore();

  // The wheel notches taken in since the last call, and none left: negative
  // for notches up (away from the user), positive for notches down. A poll
  // adds up the notches it takes in; GetKey drops them, so the wheel does
  // nothing while a key is awaited.
  int TakeWheelNotches();

  // Attaches the backend that shows this console (ConsoleOpen does).
  void Attach(ConsoleBackend* backend, bool mousePresent);

 private:
  // Takes in one event; true when the poll should stop here.
  bool TakeEvent(const InputEvent& event);
  void ScrollUp();
  void NextRow();
  void PutAtCursor(unsigned char c);
  void ShowProgress();

  ConsoleBackend* backend_ = nullptr;
  unsigned char pendingKey_ = 0;
  bool extendedPending_ = false;
  bool mouseEnabled_ = false;
  int wheelNotches_ = 0;
  long long pauseCount_ = 0;
};

}  // namespace zeb
