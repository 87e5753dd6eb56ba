#pragma once
// Turns the bytes that a terminal sends for keys and mouse actions into
// input events, with the PC key codes the interface expects (special keys as
// an extended code: Up is 72, Alt+X is 45, Shift+F1 is 84).
//
// The decoder is fed whatever a read brought; a sequence split across reads
// is completed by the next feed. A lone ESC cannot be told from the start of
// a sequence, so it stays held ("incomplete") until more bytes come or the
// caller decides, after a short wait that brought nothing, to flush it: then
// it is the Esc key. Sequences the decoder does not know are swallowed whole;
// they never turn into keys.
//
// Mouse reports (SGR `CSI < b ; x ; y M/m` and the older `CSI M b x y`)
// become mouse events with the position as the terminal reports it (1-based
// cells) and the button state after the report: 1 when exactly the left
// button is down, 2 when exactly the right one, 0 otherwise. A wheel report
// (button 64 or 65, with any modifier; 96 or 97 as the old form's byte)
// becomes a wheel event of one notch, up or down, and leaves the button
// state alone.

#include <cstdint>
#include <string_view>
#include <vector>

#include "console/console.h"

namespace zeb {

struct InputDecoder {
  enum class State : uint8_t {
    Ground,
    Escape,         // ESC seen
    Csi,            // ESC [ and its parameters
    Ss3,            // ESC O and its parameters
    OldMouse,       // ESC [ M: three raw bytes follow
    LinuxFunction,  // ESC [ [: one letter follows (F1-F5 of the Linux console)
    String,         // ESC ] / P / X / ^ / _: up to BEL or ESC backslash
    StringEscape,   // ESC inside such a string
    Utf8,           // inside a multi-byte character
  };
  static constexpr int MaxParams = 32;

  State Mode = State::Ground;
  char Params[MaxParams] = {};
  int ParamLength = 0;
  bool Overlong = false;       // more parameter bytes than kept: swallowed
  unsigned char Introducer = 0;  // the byte after ESC that opened a string
  int StringLength = 0;
  unsigned char MouseBytes[3] = {};
  int MouseCount = 0;
  char32_t CodePoint = 0;
  int Utf8Remaining = 0;
  int ButtonsDown = 0;  // 1 left, 2 middle, 4 right
};

// Decodes `bytes`, appending the events they complete.
void DecodeInput(InputDecoder& decoder, std::string_view bytes, std::vector<InputEvent>& events);

// True when the decoder holds the start of something that more bytes may
// complete (a lone ESC among them).
bool InputIncomplete(const InputDecoder& decoder);

// Nothing more came: what is held is taken as it stands. A lone ESC is the
// Esc key; ESC [ or ESC O alone is Alt with that key; any other part of a
// sequence is dropped.
void FlushInput(InputDecoder& decoder, std::vector<InputEvent>& events);

}  // namespace zeb
