#include "console/console_records.h"

#include <algorithm>

namespace zeb {

namespace {

using namespace win_console;

// The keys that have their own codes, with their codes for no modifier,
// Shift, Ctrl and Alt.
struct SpecialKey {
  uint16_t VirtualKey;
  unsigned char Codes[4];
};

constexpr SpecialKey SpecialKeys[] = {
    {VkHome, {71, 71, 119, 151}},    {VkUp, {72, 72, 141, 152}},       {VkPrior, {73, 73, 132, 153}},
    {VkLeft, {75, 75, 115, 155}},    {VkRight, {77, 77, 116, 157}},    {VkEnd, {79, 79, 117, 159}},
    {VkDown, {80, 80, 145, 160}},    {VkNext, {81, 81, 118, 161}},     {VkInsert, {82, 82, 146, 162}},
    {VkDelete, {83, 83, 147, 163}},  {VkF1 + 0, {59, 84, 94, 104}},    {VkF1 + 1, {60, 85, 95, 105}},
    {VkF1 + 2, {61, 86, 96, 106}},   {VkF1 + 3, {62, 87, 97, 107}},    {VkF1 + 4, {63, 88, 98, 108}},
    {VkF1 + 5, {64, 89, 99, 109}},   {VkF1 + 6, {65, 90, 100, 110}},   {VkF1 + 7, {66, 91, 101, 111}},
    {VkF1 + 8, {67, 92, 102, 112}},  {VkF1 + 9, {68, 93, 103, 113}},   {VkF1 + 10, {133, 135, 137, 139}},
    {VkF1 + 11, {134, 136, 138, 140}},
};

// Scan codes of keys with codes of their own under Ctrl or Alt.
constexpr uint16_t ScanTopRow1 = 2;   // the keys 1 to 9, 0, minus, equals: 2 to 13
constexpr uint16_t ScanTopRowEquals = 13;
constexpr uint16_t ScanEnter = 28;
constexpr uint16_t ScanSlash = 53;
constexpr uint16_t ScanKeypadStar = 55;
constexpr uint16_t ScanKeypadMinus = 74;
constexpr uint16_t ScanKeypad5 = 76;
constexpr uint16_t ScanKeypadPlus = 78;

bool Alt(uint32_t state) { return (state & (RightAltPressed | LeftAltPressed)) != 0; }
bool Ctrl(uint32_t state) { return (state & (RightCtrlPressed | LeftCtrlPressed)) != 0; }
bool Shift(uint32_t state) { return (state & ShiftPressed) != 0; }

// AltGr, as Windows reports it (right Alt with left Ctrl), typing a
// character on keyboards that have one: that character, not an Alt key.
bool AltGrCharacter(const ConsoleKeyRecord& record) {
  uint32_t state = record.ControlState;
  return (state & RightAltPressed) != 0 && (state & LeftCtrlPressed) != 0 && (state & LeftAltPressed) == 0 &&
         record.Char != 0;
}

// Alt over Ctrl over Shift.
int ModifierColumn(uint32_t state) {
  if (Alt(state)) return 3;
  if (Ctrl(state)) return 2;
  if (Shift(state)) return 1;
  return 0;
}

bool IsModifierOrLock(uint16_t virtualKey) {
  switch (virtualKey) {
    case VkShift: case VkControl: case VkMenu: case VkCapital: case VkNumLock: case VkScroll:
      return true;
    default:
      return virtualKey >= VkLShift && virtualKey <= VkRMenu;  // the left and right forms
  }
}

unsigned char ExtendedCode(const ConsoleKeyRecord& record) {
  int column = ModifierColumn(record.ControlState);
  for (const SpecialKey& key : SpecialKeys) {
    if (key.VirtualKey == record.VirtualKey) return key.Codes[column];
  }
  uint16_t scan = record.ScanCode;
  if (column == 2) {
    if (record.VirtualKey == VkTab) return 148;
    if (scan == ScanSlash) return 149;
    if (scan == ScanKeypadStar) return 150;
    if (scan == ScanKeypadMinus) return 142;
    if (scan == ScanKeypad5) return 143;
    if (scan == ScanKeypadPlus) return 78;
  } else if (column == 3) {
    if (scan >= ScanTopRow1 && scan <= ScanTopRowEquals) return static_cast<unsigned char>(120 + scan - ScanTopRow1);
    if (scan == ScanEnter) return 166;
    if (scan == ScanSlash) return 164;
  }
  return static_cast<unsigned char>(scan & 0xFF);
}

}  // namespace

bool DecodeKeyRecord(ConsoleRecordDecoder& decoder, const ConsoleKeyRecord& record, InputEvent& event) {
  if (!record.KeyDown) {
    // Letting go of Alt delivers the number typed with it.
    if (record.VirtualKey == VkMenu && decoder.AltNumber > 0) {
      event = InputEvent::Key(static_cast<unsigned char>(decoder.AltNumber));
      decoder.AltNumber = 0;
      return true;
    }
    return false;
  }
  if (IsModifierOrLock(record.VirtualKey)) return false;

  bool alt = Alt(record.ControlState) && !AltGrCharacter(record);
  if (alt && record.VirtualKey >= VkNumpad0 && record.VirtualKey <= VkNumpad9) {
    decoder.AltNumber = (decoder.AltNumber * 10 + (record.VirtualKey - VkNumpad0)) & 0xFF;
    return false;
  }
  if (!alt && record.VirtualKey == VkEscape && record.Char == 0) {
    event = InputEvent::Key(27);
  } else if (alt || record.Char == 0) {
    event = InputEvent::Special(ExtendedCode(record));
  } else {
    event = InputEvent::Key(record.Char);
  }
  return true;
}

bool DecodeMouseRecord(const ConsoleMouseRecord& record, int originX, int originY, InputEvent& event) {
  if (record.EventFlags & MouseHWheeled) return false;
  if (record.EventFlags & MouseWheeled) {
    // The turn is a signed number in the high word: positive away from the
    // user (up).
    auto turn = static_cast<int16_t>(static_cast<uint16_t>(record.ButtonState >> 16));
    if (turn == 0) return false;
    event = InputEvent::WheelNotch(turn > 0 ? -1 : +1);
    return true;
  }
  uint32_t buttons = record.ButtonState & 0xFFFF;  // the high word is the wheel's turn
  int button = buttons == LeftButton ? 1 : buttons == RightButton ? 2 : 0;
  int column = std::clamp(record.X - originX + 1, 0, 255);
  int row = std::clamp(record.Y - originY + 1, 0, 255);
  event = InputEvent::MouseAt(column, row, button);
  return true;
}

}  // namespace zeb
