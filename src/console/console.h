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

extern ScreenModel Screen;

// Mouse state: 1-based position (0 before the first mouse event) and the
// button (0 none, 1 left alone, 2 right alone).
extern int MouseColumn;
extern int MouseRow;
extern int MouseButton;
extern bool MousePresent;

// Set-up on the user's terminal (program start, before anything is drawn).
void ConsoleOpen();
// Gives the terminal back as it was found: normal mode, no mouse reporting,
// cursor shown, normal screen. Safe to call more than once.
void ConsoleRestore();
// The run-time error report: gives the terminal back, writes
// "zeb: <message>" to standard error and ends the program with status 1.
// Each line of the message gets its own "zeb: "; control bytes and bytes
// above 126 are written as "\x1B" and the like, never as themselves.
[[noreturn]] void ConsoleFatal(std::string_view message);

void PutText(std::string_view text, int column, int row, int foreground, int background);
void ClearScreen();
void SetColours(int foreground, int background);

// Waits for a key and returns it; a special key comes as 0 and then its code.
unsigned char GetKey();
// True when a key can be read without waiting; also takes in mouse events.
bool KeyWaiting();
// Blocks until any input arrives (a key or a mouse event); costs nothing
// while it waits. The idle main loop calls it.
void WaitForInput();
void Pause(int milliseconds);

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
// readable after the resume: only cells the model changes are written, until
// ConsoleRepaintAll has the next showing write every cell again.
void ConsoleSuspend();
void ConsoleResume();
void ConsoleRepaintAll();

// The wheel notches taken in since the last call, and none left: negative
// for notches up (away from the user), positive for notches down. A poll
// ends at a wheel notch as it does at a key, so the main loop gets to act on
// it; GetKey drops notches, so the wheel does nothing while a key is awaited.
int TakeWheelNotches();

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
  virtual void Restore() = 0;
};

// Installs a backend (tests install a scripted one) and resets the screen
// model, key state and mouse state. nullptr detaches it.
void ConsoleUseBackend(ConsoleBackend* backend);

}  // namespace zeb
