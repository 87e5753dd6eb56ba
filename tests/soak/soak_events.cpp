#include "soak/soak_events.h"

#include <iterator>

namespace zeb::soak {

namespace {

std::string Mouse(int button, int column, int row, char final) {
  return "\x1b[<" + std::to_string(button) + ";" + std::to_string(column) + ";" + std::to_string(row) + final;
}

std::string At(int column, int row) { return "(" + std::to_string(column) + "," + std::to_string(row) + ")"; }

struct NamedKey {
  const char* Bytes;
  const char* Name;
};

constexpr NamedKey FunctionKeys[] = {
    {"\x1bOP", "F1"},     {"\x1bOQ", "F2"},     {"\x1bOR", "F3"},     {"\x1bOS", "F4"},
    {"\x1b[15~", "F5"},   {"\x1b[17~", "F6"},   {"\x1b[18~", "F7"},   {"\x1b[19~", "F8"},
    {"\x1b[20~", "F9"},   {"\x1b[21~", "F10"},  {"\x1b[23~", "F11"},  {"\x1b[24~", "F12"},
    {"\x1b[1;2R", "Shift+F3"},
};

constexpr NamedKey ScrollKeys[] = {
    {"\x1b[A", "Up"},         {"\x1b[B", "Down"},      {"\x1b[C", "Right"},  {"\x1b[D", "Left"},
    {"\x1b[H", "Home"},       {"\x1b[F", "End"},       {"\x1b[5~", "PgUp"},  {"\x1b[6~", "PgDn"},
    {"\x1b[2~", "Insert"},    {"\x1b[3~", "Delete"},   {"\x1b[1;5B", "Ctrl+Down"},
};

// The terminal sizes the soak goes through: the least the program needs,
// larger ones, and smaller ones that bring up the size notice.
constexpr int LargeSizes[][2] = {{80, 25}, {80, 25}, {81, 26}, {100, 40}, {132, 43}};
constexpr int SmallSizes[][2] = {{79, 25}, {80, 24}, {60, 20}, {40, 12}, {20, 5}, {1, 1}};

}  // namespace

uint64_t SoakRandom::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

SoakEvent SoakEvents::Next() {
  if (answerNext_) {
    answerNext_ = false;
    SoakEvent event;
    event.Bytes = random_.Chance(30) ? "y" : "n";
    event.Text = event.Bytes;
    return event;
  }
  bool small = width_ < 80 || height_ < 25;
  // Below the least size the program shows a notice only: the user soon
  // makes the terminal larger again.
  if (small && random_.Chance(25)) return Resize();
  int roll = random_.Below(1000);
  if (roll < 560) return Key();
  if (roll < 970) return Click();
  if (roll < 980) {
    SoakEvent event;
    event.Archive = random_.Below(1 << 30);
    event.Text = "the archive of game " + std::to_string(event.Archive) + " (modulo the games) appears or goes";
    return event;
  }
  return Resize();
}

SoakEvent SoakEvents::Key() {
  SoakEvent event;
  int roll = random_.Below(560);
  if (roll < 150) {
    const char* letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    event.Bytes = std::string(1, letters[random_.Below(52)]);
  } else if (roll < 190) {
    event.Bytes = std::string(1, static_cast<char>('0' + random_.Below(10)));
  } else if (roll < 215) {
    event.Bytes = "/";
  } else if (roll < 255) {
    event.Bytes = random_.Chance(50) ? "y" : "n";
  } else if (roll < 310) {
    event.Bytes = "\r";
    event.Text = "Enter";
  } else if (roll < 345) {
    event.Bytes = "\x7f";
    event.Text = "Backspace";
  } else if (roll < 370) {
    event.Bytes = "\x1b";
    event.Text = "Esc (then y or n)";
    answerNext_ = true;
  } else if (roll < 385) {
    event.Bytes = "\x1b";
    event.Text = "Esc";
  } else if (roll < 425) {
    const NamedKey& key = FunctionKeys[random_.Below(static_cast<int>(std::size(FunctionKeys)))];
    // F3 opens the search: more often than the others.
    const NamedKey& chosen = random_.Chance(30) ? FunctionKeys[2] : key;
    event.Bytes = chosen.Bytes;
    event.Text = chosen.Name;
  } else if (roll < 525) {
    const NamedKey& key = ScrollKeys[random_.Below(static_cast<int>(std::size(ScrollKeys)))];
    event.Bytes = key.Bytes;
    event.Text = key.Name;
  } else if (roll < 540) {
    event.Bytes = random_.Chance(50) ? " " : "\t";
    event.Text = event.Bytes == " " ? "Space" : "Tab";
  } else {
    // Stray bytes: whatever a terminal or a paste may send.
    int count = 1 + random_.Below(4);
    event.Text = "bytes";
    for (int i = 0; i < count; ++i) {
      auto byte = static_cast<unsigned char>(1 + random_.Below(255));
      event.Bytes += static_cast<char>(byte);
      static constexpr char Hex[] = "0123456789ABCDEF";
      event.Text += std::string(" ") + Hex[byte >> 4] + Hex[byte & 15];
    }
  }
  if (event.Text.empty()) event.Text = "key " + event.Bytes;
  return event;
}

void SoakEvents::HotSpot(int& column, int& row) {
  static constexpr int Spots[][2] = {
      {1, 1},   {64, 3},  {79, 3},  {2, 25},  {61, 25}, {62, 3},  {62, 4},
      {62, 24}, {62, 25}, {64, 9},  {79, 9},  {70, 9},  {70, 5},  {70, 7},
  };
  int roll = random_.Below(100);
  if (roll < 40) {
    const auto& spot = Spots[random_.Below(static_cast<int>(std::size(Spots)))];
    column = spot[0];
    row = spot[1];
  } else if (roll < 70) {
    // The panel's buttons: every other row from 5 to 23.
    column = 64 + random_.Below(16);
    row = 5 + 2 * random_.Below(10);
  } else {
    // The list window, the options page and its tabs.
    column = 2 + random_.Below(60);
    row = 4 + random_.Below(21);
  }
}

SoakEvent SoakEvents::Click() {
  int column = 0;
  int row = 0;
  int roll = random_.Below(425);
  if (roll < 50) {
    // Wheel notches over the window, one report each, sent together.
    int notches = 1 + random_.Below(5);
    bool up = random_.Chance(50);
    column = 2 + random_.Below(60);
    row = 4 + random_.Below(21);
    SoakEvent event;
    for (int i = 0; i < notches; ++i) event.Bytes += Mouse(up ? 64 : 65, column, row, 'M');
    event.Text = "wheel " + std::string(up ? "up" : "down") + " x" + std::to_string(notches) + " at " + At(column, row);
    return event;
  }
  if (random_.Chance(45)) {
    // Any cell of the terminal as it is now.
    column = 1 + random_.Below(width_);
    row = 1 + random_.Below(height_);
  } else {
    HotSpot(column, row);
  }
  SoakEvent event;
  if (roll < 70) {
    // The right button does nothing anywhere.
    event.Bytes = Mouse(2, column, row, 'M') + Mouse(2, column, row, 'm');
    event.Text = "right click " + At(column, row);
    return event;
  }
  event.Bytes = Mouse(0, column, row, 'M');
  if (roll < 130) {
    // Held for a while, released where it was or elsewhere.
    event.HoldPasses = 1 + random_.Below(60);
    int releaseColumn = column;
    int releaseRow = row;
    if (random_.Chance(20)) {
      releaseColumn = 1 + random_.Below(width_);
      releaseRow = 1 + random_.Below(height_);
    }
    event.Release = Mouse(0, releaseColumn, releaseRow, 'm');
    event.Text = "hold " + At(column, row) + " for " + std::to_string(event.HoldPasses) + " passes, release at " +
                 At(releaseColumn, releaseRow);
    return event;
  }
  // A click: the press and the release in one write.
  event.Bytes += Mouse(0, column, row, 'm');
  event.Text = "click " + At(column, row);
  return event;
}

SoakEvent SoakEvents::Drag() {
  SoakEvent event;
  int column = 1 + random_.Below(width_);
  int row = 1 + random_.Below(height_);
  event.Bytes = Mouse(32, column, row, 'M');
  event.Text = "drag to " + At(column, row);
  return event;
}

SoakEvent SoakEvents::Resize() {
  bool small = width_ < 80 || height_ < 25;
  const int* size = nullptr;
  if (!small && random_.Chance(60)) {
    size = SmallSizes[random_.Below(static_cast<int>(std::size(SmallSizes)))];
  } else {
    size = LargeSizes[random_.Below(static_cast<int>(std::size(LargeSizes)))];
  }
  width_ = size[0];
  height_ = size[1];
  SoakEvent event;
  event.Width = width_;
  event.Height = height_;
  event.Text = "terminal " + std::to_string(width_) + " x " + std::to_string(height_);
  return event;
}

}  // namespace zeb::soak
