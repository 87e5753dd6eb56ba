#pragma once
// The soak's seeded stream of user actions, as the bytes a terminal sends:
// keys (letters, digits, "/", Enter, Backspace, Esc alone or followed by y
// or n, function and scroll keys, now and then stray bytes), clicks on any
// cell and on the places that do something, held clicks and drags, right
// clicks, wheel notches, ROM archives that appear or go, and changes of the
// terminal's size down to below 80 x 25 and back. The same
// seed gives the same stream on every machine (no standard distribution is
// used: their results differ between libraries).

#include <cstdint>
#include <string>

namespace zeb::soak {

// splitmix64: small, fast, and the same everywhere.
class SoakRandom {
 public:
  explicit SoakRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  // 0 to n - 1.
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  uint64_t state_;
};

struct SoakEvent {
  std::string Bytes;  // sent to the terminal at once
  // A size change (Bytes empty): the terminal becomes Width x Height.
  int Width = 0;
  int Height = 0;
  // A held click: Bytes is the press; Release is sent after HoldPasses
  // passes of the main loop (or as soon as the program waits for input).
  int HoldPasses = 0;
  std::string Release;
  // A file-system change (Bytes empty): the ROM archive of game Archive (of
  // the emulator's list, modulo its length) appears, or goes.
  int Archive = -1;
  std::string Text;  // what a person did, for the report
};

class SoakEvents {
 public:
  explicit SoakEvents(uint64_t seed) : random_(seed) {}
  SoakEvent Next();
  // While a button is held: the pointer moves to another cell.
  SoakEvent Drag();
  // 0 to n - 1, from the same stream.
  int Pick(int n) { return random_.Below(n); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  SoakEvent Key();
  SoakEvent Click();
  SoakEvent Resize();
  // A cell where a click does something on one screen or another.
  void HotSpot(int& column, int& row);

  SoakRandom random_;
  int width_ = 80;
  int height_ = 25;
  bool answerNext_ = false;  // Esc was sent: y or n follows
};

}  // namespace zeb::soak
