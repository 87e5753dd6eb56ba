// Windows console input records to key and mouse events: the PC key codes,
// the modifiers' precedence, Alt with keypad digits, the mouse buttons.

#include "console/console_records.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "describe_events.h"

namespace zeb {
namespace {

using namespace win_console;

constexpr uint32_t Alt = LeftAltPressed;
constexpr uint32_t Ctrl = LeftCtrlPressed;
constexpr uint32_t Shift = ShiftPressed;

ConsoleKeyRecord Down(uint16_t virtualKey, uint16_t scan, unsigned char c = 0, uint32_t state = 0) {
  return ConsoleKeyRecord{true, virtualKey, scan, c, state};
}
ConsoleKeyRecord Up(uint16_t virtualKey, uint16_t scan, unsigned char c = 0, uint32_t state = 0) {
  return ConsoleKeyRecord{false, virtualKey, scan, c, state};
}

// The events of a sequence of records, as text ("x72 k65").
std::string Decode(std::initializer_list<ConsoleKeyRecord> records) {
  ConsoleRecordDecoder decoder;
  std::string text;
  for (const ConsoleKeyRecord& record : records) {
    InputEvent event;
    if (!DecodeKeyRecord(decoder, record, event)) continue;
    if (!text.empty()) text += ' ';
    text += Describe(event);
  }
  return text;
}

TEST(ConsoleRecordsTest, SpecialKeysByModifierAltOverCtrlOverShift) {
  EXPECT_EQ(Decode({Down(VkUp, 72), Down(VkDown, 80), Down(VkLeft, 75), Down(VkRight, 77)}), "x72 x80 x75 x77");
  EXPECT_EQ(Decode({Down(VkHome, 71), Down(VkEnd, 79), Down(VkPrior, 73), Down(VkNext, 81)}), "x71 x79 x73 x81");
  EXPECT_EQ(Decode({Down(VkInsert, 82), Down(VkDelete, 83)}), "x82 x83");
  EXPECT_EQ(Decode({Down(VkUp, 72, 0, Shift), Down(VkUp, 72, 0, Ctrl), Down(VkUp, 72, 0, Alt)}), "x72 x141 x152");
  EXPECT_EQ(Decode({Down(VkUp, 72, 0, Ctrl | Alt), Down(VkLeft, 75, 0, Ctrl | Shift)}), "x152 x115");
  EXPECT_EQ(Decode({Down(VkHome, 71, 0, Ctrl), Down(VkPrior, 73, 0, Ctrl), Down(VkEnd, 79, 0, Ctrl)}),
            "x119 x132 x117");
  EXPECT_EQ(Decode({Down(VkDown, 80, 0, RightCtrlPressed), Down(VkNext, 81, 0, RightAltPressed)}), "x145 x161");
  EXPECT_EQ(Decode({Down(VkInsert, 82, 0, Ctrl), Down(VkDelete, 83, 0, Alt)}), "x146 x163");
  // The arrow keys of the keypad (Num Lock off) and of their own block alike.
  EXPECT_EQ(Decode({Down(VkDown, 80, 0, EnhancedKey), Down(VkDown, 80)}), "x80 x80");
}

TEST(ConsoleRecordsTest, FunctionKeys) {
  EXPECT_EQ(Decode({Down(VkF1, 59), Down(VkF1 + 4, 63), Down(VkF1 + 9, 68)}), "x59 x63 x68");
  EXPECT_EQ(Decode({Down(VkF1 + 10, 87), Down(VkF1 + 11, 88)}), "x133 x134");
  EXPECT_EQ(Decode({Down(VkF1, 59, 0, Shift), Down(VkF1, 59, 0, Ctrl), Down(VkF1 + 9, 68, 0, Alt)}),
            "x84 x94 x113");
  EXPECT_EQ(Decode({Down(VkF1 + 10, 87, 0, Shift), Down(VkF1 + 11, 88, 0, Ctrl), Down(VkF1 + 10, 87, 0, Alt)}),
            "x135 x138 x139");
}

TEST(ConsoleRecordsTest, AltKeysGiveTheirScanCodes) {
  EXPECT_EQ(Decode({Down('X', 45, 'x', Alt), Down('Q', 16, 'q', Alt)}), "x45 x16");
  // The top row 1 to 9, 0, minus and equals; Enter; the slash key.
  EXPECT_EQ(Decode({Down('1', 2, '1', Alt), Down('0', 11, '0', Alt), Down(0xBD, 12, '-', Alt),
                    Down(0xBB, 13, '=', Alt)}),
            "x120 x129 x130 x131");
  EXPECT_EQ(Decode({Down(VkReturn, 28, '\r', Alt), Down(0xBF, 53, '/', Alt)}), "x166 x164");
}

TEST(ConsoleRecordsTest, CtrlKeysWithoutACharacter) {
  EXPECT_EQ(Decode({Down(VkTab, 15, 0, Ctrl), Down(0xBF, 53, 0, Ctrl), Down(0x6A, 55, 0, Ctrl)}),
            "x148 x149 x150");
  EXPECT_EQ(Decode({Down(0x6D, 74, 0, Ctrl), Down(0x0C, 76, 0, Ctrl), Down(0x6B, 78, 0, Ctrl)}), "x142 x143 x78");
  // Any other key without a character: its scan code.
  EXPECT_EQ(Decode({Down(0x0C, 76), Down(0x5D, 93, 0, EnhancedKey)}), "x76 x93");
}

TEST(ConsoleRecordsTest, KeysWithACharacterAreThatCharacter) {
  EXPECT_EQ(Decode({Down('A', 30, 'a'), Down('A', 30, 'A', Shift), Down(VkReturn, 28, '\r')}), "k97 k65 k13");
  EXPECT_EQ(Decode({Down(0x1B, 1, 0x1B), Down(0x08, 14, 0x08), Down(VkTab, 15, '\t')}), "k27 k8 k9");
  // Esc reported without its character (wine's console on a terminal).
  EXPECT_EQ(Decode({Down(VkEscape, 1, 0), Down(VkEscape, 1, 0x1B, Alt)}), "k27 x1");
  // Ctrl+C arrives as its control byte; nothing stops the program.
  EXPECT_EQ(Decode({Down('C', 46, 3, Ctrl)}), "k3");
  // A character of the console's code page above 127.
  EXPECT_EQ(Decode({Down(0xDE, 40, 0x82)}), "k130");
  // AltGr typing a character (right Alt with left Ctrl) is that character.
  EXPECT_EQ(Decode({Down('Q', 16, '@', RightAltPressed | LeftCtrlPressed)}), "k64");
  EXPECT_EQ(Decode({Down('Q', 16, 0, RightAltPressed | LeftCtrlPressed)}), "x16");
}

TEST(ConsoleRecordsTest, ModifierAndLockKeysAloneAndKeyUpsDeliverNothing) {
  EXPECT_EQ(Decode({Down(VkShift, 42, 0, Shift), Up(VkShift, 42), Down(VkControl, 29, 0, Ctrl), Up(VkControl, 29),
                    Down(VkMenu, 56, 0, Alt), Up(VkMenu, 56), Down(VkCapital, 58), Down(VkNumLock, 69),
                    Down(VkScroll, 70), Down(VkLShift, 42), Down(VkRMenu, 56)}),
            "");
  EXPECT_EQ(Decode({Up('A', 30, 'a'), Up(VkDown, 80)}), "");
}

TEST(ConsoleRecordsTest, AltWithKeypadDigitsEntersACharacterByNumber) {
  const uint16_t Pad6 = VkNumpad0 + 6;
  const uint16_t Pad5 = VkNumpad0 + 5;
  EXPECT_EQ(Decode({Down(VkMenu, 56, 0, Alt), Down(Pad6, 77, 0, Alt), Up(Pad6, 77, 0, Alt), Down(Pad5, 76, 0, Alt),
                    Up(Pad5, 76, 0, Alt), Up(VkMenu, 56)}),
            "k65");
  // Kept in a byte: 1, 2, 3, 4 is 1234, which is 210 in a byte.
  EXPECT_EQ(Decode({Down(VkNumpad0 + 1, 79, 0, Alt), Down(VkNumpad0 + 2, 80, 0, Alt), Down(VkNumpad0 + 3, 81, 0, Alt),
                    Down(VkNumpad0 + 4, 75, 0, Alt), Up(VkMenu, 56)}),
            "k210");
  // Nothing typed, or a number of 0: letting go of Alt delivers nothing.
  EXPECT_EQ(Decode({Down(VkMenu, 56, 0, Alt), Up(VkMenu, 56)}), "");
  EXPECT_EQ(Decode({Down(VkNumpad0, 82, 0, Alt), Up(VkMenu, 56)}), "");
  // Without Alt a keypad digit is its character; the entry starts afresh.
  EXPECT_EQ(Decode({Down(Pad6, 77, '6'), Down(VkNumpad0 + 7, 71, 0, Alt), Up(VkMenu, 56), Up(VkMenu, 56)}), "k54 k7");
}

std::string Mouse(int x, int y, uint32_t buttons, int originX = 0, int originY = 0, uint32_t flags = 0) {
  InputEvent event;
  if (!DecodeMouseRecord(ConsoleMouseRecord{x, y, buttons, flags}, originX, originY, event)) return "";
  return Describe(event);
}

TEST(ConsoleRecordsTest, MousePositionAndButtons) {
  EXPECT_EQ(Mouse(0, 0, LeftButton), "m1,1,1");
  EXPECT_EQ(Mouse(79, 24, 0), "m80,25,0");
  EXPECT_EQ(Mouse(5, 6, RightButton), "m6,7,2");
  EXPECT_EQ(Mouse(5, 6, LeftButton | RightButton), "m6,7,0");  // both: none
  EXPECT_EQ(Mouse(5, 6, 0x0004), "m6,7,0");                     // the middle button
  EXPECT_EQ(Mouse(5, 6, 0xFF880000u | LeftButton), "m6,7,1");   // a wheel turn with the left button held
  // The screen starts at the window's top-left cell of the buffer.
  EXPECT_EQ(Mouse(10, 310, LeftButton, 0, 300), "m11,11,1");
  EXPECT_EQ(Mouse(3, 2, 0, 0, 300), "m4,0,0");
  EXPECT_EQ(Mouse(400, 600, 0), "m255,255,0");
}

TEST(ConsoleRecordsTest, TheWheelTurnsOneNotchARecordAndLeavesTheButtonsAlone) {
  // The high word is the signed turn: positive away from the user.
  EXPECT_EQ(Mouse(5, 6, 0x00780000u, 0, 0, MouseWheeled), "wu");
  EXPECT_EQ(Mouse(5, 6, 0xFF880000u, 0, 0, MouseWheeled), "wd");
  EXPECT_EQ(Mouse(5, 6, 0x7FFF0000u, 0, 0, MouseWheeled), "wu");
  EXPECT_EQ(Mouse(5, 6, 0x80000000u, 0, 0, MouseWheeled), "wd");
  // A turn with the left button held is a notch, no release or press.
  EXPECT_EQ(Mouse(5, 6, 0xFF880000u | LeftButton, 0, 0, MouseWheeled), "wd");
  // No turn at all, and the sideways wheel either way: nothing.
  EXPECT_EQ(Mouse(5, 6, LeftButton, 0, 0, MouseWheeled), "");
  EXPECT_EQ(Mouse(5, 6, 0x00780000u, 0, 0, MouseHWheeled), "");
  EXPECT_EQ(Mouse(5, 6, 0xFF880000u | LeftButton, 0, 0, MouseHWheeled), "");
}

}  // namespace
}  // namespace zeb
