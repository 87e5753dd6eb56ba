#pragma once
// The key codes as GetKey delivers them. A plain key is one byte; a special
// key reads as 0 first and then its extended code (the PC keyboard's).

namespace zeb::Key {

// Plain keys.
constexpr unsigned char Backspace = 8;
constexpr unsigned char Tab = 9;
constexpr unsigned char Enter = 13;
constexpr unsigned char Esc = 27;

// Extended codes of the cursor and editing keys, alone and with Ctrl or Alt
// (with Shift they give the same code as alone).
constexpr unsigned char Home = 71, Up = 72, PageUp = 73, Left = 75, Centre = 76, Right = 77;
constexpr unsigned char End = 79, Down = 80, PageDown = 81, Insert = 82, Delete = 83;
constexpr unsigned char CtrlHome = 119, CtrlUp = 141, CtrlPageUp = 132, CtrlLeft = 115, CtrlCentre = 143;
constexpr unsigned char CtrlRight = 116, CtrlEnd = 117, CtrlDown = 145, CtrlPageDown = 118;
constexpr unsigned char CtrlInsert = 146, CtrlDelete = 147;
constexpr unsigned char AltHome = 151, AltUp = 152, AltPageUp = 153, AltLeft = 155, AltRight = 157;
constexpr unsigned char AltEnd = 159, AltDown = 160, AltPageDown = 161, AltInsert = 162, AltDelete = 163;

// Function keys: F1 to F10 have consecutive codes in each group (F1 + n is
// F(n+1)); F11 and F12 stand apart.
constexpr unsigned char F1 = 59, ShiftF1 = 84, CtrlF1 = 94, AltF1 = 104;
constexpr unsigned char F11 = 133, F12 = 134, ShiftF11 = 135, ShiftF12 = 136;
constexpr unsigned char CtrlF11 = 137, CtrlF12 = 138, AltF11 = 139, AltF12 = 140;

// Other extended codes.
constexpr unsigned char CtrlSpace = 3;
constexpr unsigned char AltBackspace = 14;
constexpr unsigned char BackTab = 15;  // Shift+Tab
constexpr unsigned char CtrlTab = 148;
constexpr unsigned char AltEnter = 166;

}  // namespace zeb::Key
