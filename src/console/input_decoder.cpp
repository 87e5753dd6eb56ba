#include "console/input_decoder.h"

#include "console/glyphs.h"
#include "console/keys.h"

namespace zeb {

namespace {

using State = InputDecoder::State;

constexpr unsigned char Esc = 0x1B;

// The keys that have their own codes, and their codes with no modifier,
// Shift, Ctrl and Alt (0: nothing).
enum KeyName {
  KeyHome, KeyUp, KeyPageUp, KeyLeft, KeyRight, KeyEnd, KeyDown, KeyPageDown,
  KeyInsert, KeyDelete, KeyCentre,
  KeyF1, KeyF2, KeyF3, KeyF4, KeyF5, KeyF6, KeyF7, KeyF8, KeyF9, KeyF10, KeyF11, KeyF12,
  KeyBackTab,
  KeyNone,
};

struct ModifiedCodes {
  unsigned char Codes[4];
};

// F1 + n: consecutive codes in each of the four groups.
constexpr ModifiedCodes FunctionKey(int n) {
  return {{static_cast<unsigned char>(Key::F1 + n), static_cast<unsigned char>(Key::ShiftF1 + n),
           static_cast<unsigned char>(Key::CtrlF1 + n), static_cast<unsigned char>(Key::AltF1 + n)}};
}

constexpr ModifiedCodes KeyCodes[KeyNone] = {
    {{Key::Home, Key::Home, Key::CtrlHome, Key::AltHome}},
    {{Key::Up, Key::Up, Key::CtrlUp, Key::AltUp}},
    {{Key::PageUp, Key::PageUp, Key::CtrlPageUp, Key::AltPageUp}},
    {{Key::Left, Key::Left, Key::CtrlLeft, Key::AltLeft}},
    {{Key::Right, Key::Right, Key::CtrlRight, Key::AltRight}},
    {{Key::End, Key::End, Key::CtrlEnd, Key::AltEnd}},
    {{Key::Down, Key::Down, Key::CtrlDown, Key::AltDown}},
    {{Key::PageDown, Key::PageDown, Key::CtrlPageDown, Key::AltPageDown}},
    {{Key::Insert, Key::Insert, Key::CtrlInsert, Key::AltInsert}},
    {{Key::Delete, Key::Delete, Key::CtrlDelete, Key::AltDelete}},
    {{Key::Centre, Key::Centre, Key::CtrlCentre, 0}},
    FunctionKey(0), FunctionKey(1), FunctionKey(2), FunctionKey(3), FunctionKey(4),
    FunctionKey(5), FunctionKey(6), FunctionKey(7), FunctionKey(8), FunctionKey(9),
    {{Key::F11, Key::ShiftF11, Key::CtrlF11, Key::AltF11}},
    {{Key::F12, Key::ShiftF12, Key::CtrlF12, Key::AltF12}},
    {{Key::BackTab, Key::BackTab, Key::CtrlTab, Key::BackTab}},
};

// The xterm modifier parameter (1 + bits: 1 Shift, 2 Alt, 4 Ctrl, 8 Meta)
// picks a column: Alt (or Meta) over Ctrl over Shift.
int ModifierColumn(int modifier) {
  int bits = modifier >= 2 ? modifier - 1 : 0;
  if (bits & (2 | 8)) return 3;
  if (bits & 4) return 2;
  if (bits & 1) return 1;
  return 0;
}

void EmitKey(std::vector<InputEvent>& events, KeyName key, int modifier) {
  if (key == KeyNone) return;
  unsigned char code = KeyCodes[key].Codes[ModifierColumn(modifier)];
  if (code != 0) events.push_back(InputEvent::Special(code));
}

// The US keyboard scan code of the key that types `c`, as Alt with that key
// reports it (0 for none).
unsigned char AltCode(unsigned char c) {
  static constexpr char Row1[] = "qwertyuiop";  // 16-25
  static constexpr char Row2[] = "asdfghjkl";   // 30-38
  static constexpr char Row3[] = "zxcvbnm";     // 44-50
  static constexpr char Digits[] = "1234567890-=";
  static constexpr char ShiftedDigits[] = "!@#$%^&*()_+";
  if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
  for (int i = 0; Row1[i] != 0; ++i) if (c == Row1[i]) return static_cast<unsigned char>(16 + i);
  for (int i = 0; Row2[i] != 0; ++i) if (c == Row2[i]) return static_cast<unsigned char>(30 + i);
  for (int i = 0; Row3[i] != 0; ++i) if (c == Row3[i]) return static_cast<unsigned char>(44 + i);
  for (int i = 0; Digits[i] != 0; ++i) {
    if (c == Digits[i] || c == ShiftedDigits[i]) return static_cast<unsigned char>(120 + i);
  }
  switch (c) {
    case '[': case '{': return 26;
    case ']': case '}': return 27;
    case ';': case ':': return 39;
    case '\'': case '"': return 40;
    case '`': case '~': return 41;
    case '\\': case '|': return 43;
    case ',': case '<': return 51;
    case '.': case '>': return 52;
    case '/': case '?': return 164;
    case ' ': return 57;
    case '\r': return Key::AltEnter;
    case '\t': return Key::BackTab;  // the Tab key's own code
    case 0x08: case 0x7F: return Key::AltBackspace;
    case 0x00: return 57;             // Ctrl+Space
    case 0x1C: return 43;             // Ctrl+backslash
    case 0x1D: return 27;             // Ctrl+]
    case 0x1E: return 125;            // Ctrl+^ (the 6 key)
    case 0x1F: return 130;            // Ctrl+_ (the minus key)
    default: break;
  }
  if (c >= 0x01 && c <= 0x1A) return AltCode(static_cast<unsigned char>('a' + c - 1));  // Ctrl+letter
  return 0;
}

// A key that arrives as a plain byte.
void EmitByte(std::vector<InputEvent>& events, unsigned char c) {
  if (c == 0x7F || c == 0x08) {
    events.push_back(InputEvent::Key(Key::Backspace));
  } else if (c == 0x00) {
    events.push_back(InputEvent::Special(Key::CtrlSpace));  // also Ctrl+@
  } else {
    events.push_back(InputEvent::Key(c));
  }
}

// Splits "n;n;n" into numbers; an empty field is 0, sub-parameters after ':'
// are skipped. Returns how many fields there were (at most `max` kept).
int ParseNumbers(std::string_view text, int* values, int max) {
  if (text.empty()) return 0;
  int count = 0;
  int value = 0;
  bool sub = false;
  for (char c : text) {
    if (c == ';') {
      if (count < max) values[count] = value;
      ++count;
      value = 0;
      sub = false;
    } else if (c == ':') {
      sub = true;
    } else if (c >= '0' && c <= '9' && !sub) {
      if (value < 100000) value = value * 10 + (c - '0');
    }
  }
  if (count < max) values[count] = value;
  ++count;
  return count < max ? count : max;
}

int ButtonBit(int low) { return low == 0 ? 1 : low == 1 ? 2 : 4; }

void MouseReport(InputDecoder& d, int b, int x, int y, bool release, bool oldForm,
                 std::vector<InputEvent>& events) {
  if (b & 128) return;  // buttons 8 to 11
  if (b & 64) {
    // The wheel: 64 a notch up, 65 a notch down, with the modifier bits (4
    // Shift, 8 Meta, 16 Ctrl) as they come. The sideways wheel (66, 67), a
    // motion report and a release are swallowed. The wheel is no button:
    // what is held stays held.
    int wheel = b & ~(4 | 8 | 16);
    if (!release && (wheel == 64 || wheel == 65)) events.push_back(InputEvent::WheelNotch(wheel == 64 ? -1 : +1));
    return;
  }
  int low = b & 3;
  bool motion = (b & 32) != 0;
  if (low == 3) {
    // No button: a release in the old form, or motion with none held.
    if (!oldForm && !motion) return;
    d.ButtonsDown = 0;
  } else if (release) {
    d.ButtonsDown &= ~ButtonBit(low);
  } else {
    d.ButtonsDown |= ButtonBit(low);
  }
  int button = d.ButtonsDown == 1 ? 1 : d.ButtonsDown == 4 ? 2 : 0;
  events.push_back(InputEvent::MouseAt(x < 1 ? 1 : x, y < 1 ? 1 : y, button));
}

KeyName LetterKey(unsigned char final) {
  switch (final) {
    case 'A': return KeyUp;
    case 'B': return KeyDown;
    case 'C': return KeyRight;
    case 'D': return KeyLeft;
    case 'H': return KeyHome;
    case 'F': return KeyEnd;
    case 'E': return KeyCentre;
    case 'P': return KeyF1;
    case 'Q': return KeyF2;
    case 'R': return KeyF3;
    case 'S': return KeyF4;
    case 'Z': return KeyBackTab;
    default: return KeyNone;
  }
}

KeyName TildeKey(int number) {
  switch (number) {
    case 1: case 7: return KeyHome;
    case 2: return KeyInsert;
    case 3: return KeyDelete;
    case 4: case 8: return KeyEnd;
    case 5: return KeyPageUp;
    case 6: return KeyPageDown;
    case 11: return KeyF1;
    case 12: return KeyF2;
    case 13: return KeyF3;
    case 14: return KeyF4;
    case 15: return KeyF5;
    case 17: return KeyF6;
    case 18: return KeyF7;
    case 19: return KeyF8;
    case 20: return KeyF9;
    case 21: return KeyF10;
    case 23: return KeyF11;
    case 24: return KeyF12;
    default: return KeyNone;
  }
}

void FinishCsi(InputDecoder& d, unsigned char final, std::vector<InputEvent>& events) {
  if (d.Overlong) return;
  std::string_view params(d.Params, static_cast<std::size_t>(d.ParamLength));
  char prefix = 0;
  if (!params.empty() && params[0] >= '<' && params[0] <= '?') {
    prefix = params[0];
    params.remove_prefix(1);
  }
  for (char c : params) {
    if (!((c >= '0' && c <= '9') || c == ';' || c == ':')) return;  // intermediates: unknown
  }
  int values[8] = {};
  int count = ParseNumbers(params, values, 8);
  if (prefix == '<') {
    if ((final == 'M' || final == 'm') && count == 3) {
      MouseReport(d, values[0], values[1], values[2], final == 'm', false, events);
    }
    return;
  }
  if (prefix != 0) return;
  int modifier = count >= 2 ? values[1] : 1;
  if (final == '~') {
    if (count >= 1) EmitKey(events, TildeKey(values[0]), modifier);
    return;
  }
  if (count > 2) return;
  EmitKey(events, LetterKey(final), modifier);
}

void FinishSs3(InputDecoder& d, unsigned char final, std::vector<InputEvent>& events) {
  if (d.Overlong) return;
  std::string_view params(d.Params, static_cast<std::size_t>(d.ParamLength));
  for (char c : params) {
    if (!((c >= '0' && c <= '9') || c == ';')) return;
  }
  int values[4] = {};
  int count = ParseNumbers(params, values, 4);
  int modifier = count >= 1 ? values[count - 1] : 1;
  // The numeric keypad in application mode.
  if (count == 0) {
    if (final == 'M') {
      events.push_back(InputEvent::Key('\r'));
      return;
    }
    static constexpr char Keypad[] = "*+,-./0123456789";  // j to y
    if (final >= 'j' && final <= 'y') {
      events.push_back(InputEvent::Key(static_cast<unsigned char>(Keypad[final - 'j'])));
      return;
    }
    if (final == 'X') {
      events.push_back(InputEvent::Key('='));
      return;
    }
  }
  if (final == 'Z') return;
  EmitKey(events, LetterKey(final), modifier);
}

void StartUtf8(InputDecoder& d, unsigned char c) {
  if (c >= 0xC2 && c <= 0xDF) {
    d.CodePoint = c & 0x1F;
    d.Utf8Remaining = 1;
  } else if (c >= 0xE0 && c <= 0xEF) {
    d.CodePoint = c & 0x0F;
    d.Utf8Remaining = 2;
  } else if (c >= 0xF0 && c <= 0xF4) {
    d.CodePoint = c & 0x07;
    d.Utf8Remaining = 3;
  } else {
    return;  // not the start of a character: dropped
  }
  d.Mode = State::Utf8;
}

void StartSequence(InputDecoder& d, State mode) {
  d.Mode = mode;
  d.ParamLength = 0;
  d.Overlong = false;
}

void AddParam(InputDecoder& d, unsigned char c) {
  if (d.ParamLength < InputDecoder::MaxParams) {
    d.Params[d.ParamLength++] = static_cast<char>(c);
  } else {
    d.Overlong = true;
  }
}

void Ground(InputDecoder& d, unsigned char c, std::vector<InputEvent>& events) {
  if (c == Esc) {
    d.Mode = State::Escape;
  } else if (c >= 0x80) {
    StartUtf8(d, c);
  } else {
    EmitByte(events, c);
  }
}

// Takes one byte; returns false when the byte ended a sequence without being
// part of it and must be taken again from the ground state.
bool Step(InputDecoder& d, unsigned char c, std::vector<InputEvent>& events) {
  switch (d.Mode) {
    case State::Ground:
      Ground(d, c, events);
      return true;

    case State::Escape:
      if (c == '[') {
        StartSequence(d, State::Csi);
      } else if (c == 'O') {
        StartSequence(d, State::Ss3);
      } else if (c == ']' || c == 'P' || c == 'X' || c == '^' || c == '_') {
        d.Mode = State::String;
        d.Introducer = c;
        d.StringLength = 0;
      } else if (c == Esc) {
        events.push_back(InputEvent::Key(Key::Esc));  // and another ESC begins
      } else if (c >= 0x80) {
        d.Mode = State::Ground;  // Alt with a non-ASCII character: the character alone
        return false;
      } else {
        unsigned char code = AltCode(c);
        if (code != 0) events.push_back(InputEvent::Special(code));
        d.Mode = State::Ground;
      }
      return true;

    case State::Csi:
    case State::Ss3:
      if (c >= 0x20 && c <= 0x3F) {
        AddParam(d, c);
      } else if (c >= 0x40 && c <= 0x7E) {
        if (d.Mode == State::Csi && d.ParamLength == 0 && c == 'M') {
          d.Mode = State::OldMouse;
          d.MouseCount = 0;
          return true;
        }
        if (d.Mode == State::Csi && d.ParamLength == 0 && c == '[') {
          d.Mode = State::LinuxFunction;
          return true;
        }
        if (d.Mode == State::Csi) {
          FinishCsi(d, c, events);
        } else {
          FinishSs3(d, c, events);
        }
        d.Mode = State::Ground;
      } else {
        d.Mode = State::Ground;  // broken off: the sequence is dropped
        return false;
      }
      return true;

    case State::OldMouse:
      d.MouseBytes[d.MouseCount++] = c;
      if (d.MouseCount == 3) {
        d.Mode = State::Ground;
        int b = d.MouseBytes[0] - 32;
        if (b >= 0) MouseReport(d, b, d.MouseBytes[1] - 32, d.MouseBytes[2] - 32, false, true, events);
      }
      return true;

    case State::LinuxFunction:
      d.Mode = State::Ground;
      if (c >= 'A' && c <= 'E') {
        EmitKey(events, static_cast<KeyName>(KeyF1 + (c - 'A')), 1);
        return true;
      }
      return c >= 0x20 && c <= 0x7E;

    case State::String:
      if (c == 0x07 || c == 0x18 || c == 0x1A) {
        d.Mode = State::Ground;
      } else if (c == Esc) {
        d.Mode = State::StringEscape;
      } else if (d.StringLength < 1000000) {
        ++d.StringLength;
      }
      return true;

    case State::StringEscape:
      if (c == '\\') {
        d.Mode = State::Ground;
        return true;
      }
      d.Mode = State::Escape;  // the string ended; this ESC begins something new
      return false;

    case State::Utf8:
      if ((c & 0xC0) != 0x80) {
        d.Mode = State::Ground;  // a broken character is dropped
        return false;
      }
      d.CodePoint = (d.CodePoint << 6) | (c & 0x3F);
      if (--d.Utf8Remaining == 0) {
        d.Mode = State::Ground;
        int byte = GlyphByte(d.CodePoint);
        if (byte >= 0) events.push_back(InputEvent::Key(static_cast<unsigned char>(byte)));
      }
      return true;
  }
  return true;
}

}  // namespace

void DecodeInput(InputDecoder& decoder, std::string_view bytes, std::vector<InputEvent>& events) {
  for (char ch : bytes) {
    auto c = static_cast<unsigned char>(ch);
    if (!Step(decoder, c, events)) Step(decoder, c, events);
  }
}

bool InputIncomplete(const InputDecoder& decoder) { return decoder.Mode != State::Ground; }

void FlushInput(InputDecoder& decoder, std::vector<InputEvent>& events) {
  switch (decoder.Mode) {
    case State::Escape:
      events.push_back(InputEvent::Key(Key::Esc));
      break;
    case State::Csi:
      if (decoder.ParamLength == 0) events.push_back(InputEvent::Special(AltCode('[')));
      break;
    case State::Ss3:
      if (decoder.ParamLength == 0) events.push_back(InputEvent::Special(AltCode('O')));
      break;
    case State::String:
      if (decoder.StringLength == 0) events.push_back(InputEvent::Special(AltCode(decoder.Introducer)));
      break;
    default:
      break;
  }
  decoder.Mode = State::Ground;
}

}  // namespace zeb
