#pragma once
// Input events as text, for comparing in tests: "k65" a plain key, "x72" an
// extended key, "m1,1,1" a mouse event (column, row, button), "wu" and "wd"
// a wheel notch up and down.

#include <string>
#include <vector>

#include "console/console.h"

namespace zeb {

inline std::string Describe(const InputEvent& event) {
  if (event.Type == InputEvent::Kind::Wheel) return event.Notch < 0 ? "wu" : "wd";
  if (event.Type == InputEvent::Kind::Mouse) {
    return std::string("m") + std::to_string(event.Column) + "," + std::to_string(event.Row) + "," + std::to_string(event.Button);
  }
  return std::string(event.Extended ? "x" : "k") + std::to_string(event.Code);
}

inline std::string Describe(const std::vector<InputEvent>& events) {
  std::string text;
  for (const InputEvent& event : events) {
    if (!text.empty()) text += ' ';
    text += Describe(event);
  }
  return text;
}

}  // namespace zeb
