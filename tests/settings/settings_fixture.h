#pragma once
// The settings file tests' fixture: a fresh directory, the default
// settings, and the file's lines.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/fatal.h"
#include "core/state.h"
#include "core/work_file.h"
#include "settings/settings.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb::settings_testing {

using testing_support::ReadBytes;
using testing_support::TempDir;

inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

inline std::vector<std::string> FileLines(const std::string& name) {
  std::string bytes = ReadBytes(name);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "the file does not end with CR LF";
  return lines;
}

// The lines of a saved default settings file with `games` declared; the
// caller appends the game lines.
inline std::vector<std::string> DefaultLines(const std::string& games) {
  return {games, "", "roms", "samples", "mame.exe", "1", "0", "0", "0", "1", "1", "1", "0", "1", "0", "0", "0",
          "0", "0", "2", "1", "1", "1", "0", "0", "0", "1", "1", "1", "0", "0", "0", "1", "1", "0",
          " 1.00000000000000E+0000", " 1.00000000000000E+0000", "1", " 1.00000000000000E+0000", "0", "1", "1",
          "1", "1", "0", "None Loaded"};
}

class SettingsFile : public testing_support::ProgramTest<> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    MameVersion = "None Loaded";
  }

  void AddGame(const GameRecord& record) { Games[++GameCount] = record; }

  TempDir dir_;
};

// The names in the current directory other than zeb.ini: a save leaves none.
inline std::vector<std::string> OtherEntries() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    std::string name = entry.path().filename().string();
    if (name != "zeb.ini") names.push_back(name);
  }
  return names;
}

// The error report that `action` ends in, taken here instead of ending the
// program (no process of its own), so that what the failure left behind can
// be looked at.
template <typename Action>
std::string FatalMessage(Action action) {
  std::string message = "(no error)";
  SetFatalHandler([](std::string_view text) { throw std::string(text); });
  try {
    action();
  } catch (const std::string& text) {
    message = text;
  }
  SetFatalHandler(nullptr);
  WorkFile.Close();
  return message;
}

}  // namespace zeb::settings_testing
