#pragma once
// Turns the Windows console's input records into input events, with the PC
// key codes the interface expects. Platform-free: the records are copied
// into the plain structures below (the Windows backend fills them from
// INPUT_RECORD), so the rules can be tested anywhere.
//
// Keys: Shift, Ctrl, Alt and the lock keys alone deliver nothing. A key
// pressed with Alt, or one that yields no character, is a special key with
// its extended code (Up 72, Alt+X 45, Shift+F1 84); any other key is its
// character (the Esc key is 27 even from a console that reports it without
// its character, as wine's does). Holding Alt and typing digits on the numeric keypad enters a
// character by its number, delivered when Alt is let go.
//
// Mouse: the position as 1-based cells of the screen and the button state
// after the event: 1 when exactly the left button is down, 2 when exactly
// the right one, 0 otherwise. A turn of the wheel is one notch up (the high
// word of the button state positive) or down (negative), and leaves the
// button state alone; the sideways wheel delivers nothing.

#include <cstdint>

#include "console/console.h"

namespace zeb {

// The fields of a key event record.
struct ConsoleKeyRecord {
  bool KeyDown = true;
  uint16_t VirtualKey = 0;
  uint16_t ScanCode = 0;
  unsigned char Char = 0;     // in the console's code page; 0 for none
  uint32_t ControlState = 0;  // the console's control key state bits
};

// The fields of a mouse event record.
struct ConsoleMouseRecord {
  int X = 0;  // buffer cell, 0-based
  int Y = 0;
  uint32_t ButtonState = 0;  // the low word holds the buttons, the high word the wheel's turn
  uint32_t EventFlags = 0;   // what kind of mouse event
};

// The Windows values the records carry.
namespace win_console {
constexpr uint32_t RightAltPressed = 0x0001;
constexpr uint32_t LeftAltPressed = 0x0002;
constexpr uint32_t RightCtrlPressed = 0x0004;
constexpr uint32_t LeftCtrlPressed = 0x0008;
constexpr uint32_t ShiftPressed = 0x0010;
constexpr uint32_t EnhancedKey = 0x0100;

constexpr uint32_t LeftButton = 0x0001;
constexpr uint32_t RightButton = 0x0002;

constexpr uint32_t MouseWheeled = 0x0004;
constexpr uint32_t MouseHWheeled = 0x0008;

constexpr uint16_t VkTab = 0x09;
constexpr uint16_t VkReturn = 0x0D;
constexpr uint16_t VkEscape = 0x1B;
constexpr uint16_t VkShift = 0x10;
constexpr uint16_t VkControl = 0x11;
constexpr uint16_t VkMenu = 0x12;  // Alt
constexpr uint16_t VkCapital = 0x14;
constexpr uint16_t VkPrior = 0x21;
constexpr uint16_t VkNext = 0x22;
constexpr uint16_t VkEnd = 0x23;
constexpr uint16_t VkHome = 0x24;
constexpr uint16_t VkLeft = 0x25;
constexpr uint16_t VkUp = 0x26;
constexpr uint16_t VkRight = 0x27;
constexpr uint16_t VkDown = 0x28;
constexpr uint16_t VkInsert = 0x2D;
constexpr uint16_t VkDelete = 0x2E;
constexpr uint16_t VkNumpad0 = 0x60;
constexpr uint16_t VkNumpad9 = 0x69;
constexpr uint16_t VkF1 = 0x70;
constexpr uint16_t VkF12 = 0x7B;
constexpr uint16_t VkNumLock = 0x90;
constexpr uint16_t VkScroll = 0x91;
constexpr uint16_t VkLShift = 0xA0;
constexpr uint16_t VkRMenu = 0xA5;
}  // namespace win_console

struct ConsoleRecordDecoder {
  int AltNumber = 0;  // the number typed so far with Alt held, kept in a byte
};

// Decodes one key record; true when it delivers `event`.
bool DecodeKeyRecord(ConsoleRecordDecoder& decoder, const ConsoleKeyRecord& record, InputEvent& event);

// Decodes one mouse record, for a screen whose top-left cell is buffer cell
// (originX, originY); true when it delivers `event`. Positions are kept
// within 0 to 255.
bool DecodeMouseRecord(const ConsoleMouseRecord& record, int originX, int originY, InputEvent& event);

}  // namespace zeb
