#pragma once
// A deterministic set of games that looks like the emulator's: unique driver
// names sorted as the emulator sorts them, descriptions of a few words with
// a set or region in parentheses, clones spread evenly through the list (each
// the clone of the last parent before it), a category for every game, half
// of the ROM archives present and cheats for one game in five. The benchmark
// programs write it as the emulator's lists, catver.ini or zeb.ini.

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace bench {

// The resident memory of this process, in KiB (-1 where /proc tells none).
inline long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmRSS:")) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

struct GameData {
  std::string Name;
  std::string Description;
  std::string Parent;  // empty for a parent
  std::string Category;
  bool Available = false;
  int Cheats = 0;
};

class Random {
 public:
  uint32_t Next(uint32_t range) {
    seed_ = seed_ * 1103515245u + 12345u;
    return (seed_ >> 8) % range;
  }

 private:
  uint32_t seed_ = 20230101;
};

// `count` games of which `clones` are clones; driver names of 3 to
// `longestName` characters.
inline std::vector<GameData> MakeGameSet(int count, int clones, int longestName) {
  static const char* Words[] = {"Space",   "Dragon", "Street", "Fighter", "Galaxy", "Ninja",   "Turbo",
                                "Racing",  "Puzzle", "Warrior", "Legend", "Super",  "Bomber",  "Attack",
                                "Force",   "Zone",   "Quest",  "Master",  "Blaster", "Star",   "Champion",
                                "Mahjong", "Pinball", "Poker", "Soccer",  "Tetris", "Invaders", "Kung-Fu"};
  static const char* Sets[] = {"(set 1)", "(set 2)", "(World)", "(US)", "(Japan)", "(World 910522)",
                               "(bootleg)", "(prototype)", "(Europe, rev B)", "(version 1.02, 4 players)"};
  static const char* Categories[] = {"Shooter / Flying Vertical", "Platform / Run Jump", "Fighter / Versus",
                                     "Sports / Soccer",           "Puzzle / Drop",      "Casino / Cards",
                                     "Maze / Collect",            "Driving / Race",     "Slot Machine",
                                     "Quiz / English",            "System / BIOS",      "Electromechanical / Pinball",
                                     "Climbing",                  "Ball & Paddle / Breakout * Mature *"};
  Random random;
  std::set<std::string> names;
  while (static_cast<int>(names.size()) < count) {
    int length = 3 + static_cast<int>(random.Next(6));  // mostly 3 to 8
    if (random.Next(8) == 0) length += static_cast<int>(random.Next(static_cast<uint32_t>(longestName - 7)));
    length = std::min(length, longestName);
    std::string name;
    for (int c = 0; c < length; ++c) {
      name += c > 0 && random.Next(6) == 0 ? static_cast<char>('0' + random.Next(10))
                                           : static_cast<char>('a' + random.Next(26));
    }
    names.insert(name);
  }

  std::vector<GameData> games;
  games.reserve(static_cast<std::size_t>(count));
  std::string parent;
  for (const std::string& name : names) {
    int i = static_cast<int>(games.size());
    GameData game;
    game.Name = name;
    int words = 1 + static_cast<int>(random.Next(5));
    for (int w = 0; w < words; ++w) game.Description += std::string(w ? " " : "") + Words[random.Next(28)];
    if (random.Next(3) != 0) game.Description += std::string(" ") + Sets[random.Next(10)];
    bool clone = static_cast<long long>(i) * clones / count != static_cast<long long>(i + 1) * clones / count;
    if (clone && !parent.empty()) {
      game.Parent = parent;
    } else {
      parent = name;
    }
    game.Category = Categories[random.Next(14)];
    game.Available = i % 2 == 0;
    if (random.Next(5) == 0) game.Cheats = 1 + static_cast<int>(random.Next(40));
    games.push_back(game);
  }
  return games;
}

// A temporary directory, made the current one while it is being filled and
// by Enter(); removed with everything in it at the end.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    path_ = mkdtemp(pattern.data());
    Enter();
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  void Enter() const { std::filesystem::current_path(path_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline void WriteFile(const std::string& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
}

// `text` padded with blanks to `width` characters (never cut).
inline std::string PaddedTo(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace bench
