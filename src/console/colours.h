#pragma once
// The sixteen console colours by name (1 blue, 2 green, 4 red, 8 bright).

namespace zeb {

constexpr int Black = 0;
constexpr int Blue = 1;
constexpr int Green = 2;
constexpr int Cyan = 3;
constexpr int Red = 4;
constexpr int Magenta = 5;
constexpr int Brown = 6;
constexpr int LightGrey = 7;
constexpr int DarkGrey = 8;
constexpr int LightBlue = 9;
constexpr int LightGreen = 10;
constexpr int LightCyan = 11;
constexpr int LightRed = 12;
constexpr int LightMagenta = 13;
constexpr int Yellow = 14;
constexpr int White = 15;

// A pair of colours: the foreground (the character) on the background.
struct Colours {
  int Foreground = LightGrey;
  int Background = Black;
};

}  // namespace zeb
