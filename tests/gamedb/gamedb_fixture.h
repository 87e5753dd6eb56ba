#pragma once
// The records of a run at their start values, a scripted console and a
// temporary current directory for each game-database test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_test.h"
#include "support/same_lines.h"
#include "support/temp_dir.h"

namespace zeb::testing_support {

inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

class GameDb : public ProgramTest<> {
 protected:
  void SetGames(const std::vector<std::string>& names) {
    games.GameCount = 0;
    for (const std::string& name : names) games.Games[++games.GameCount].DriverName = name;
  }
  // The progress output so far, one string per screen row, without the
  // trailing blanks of the rows.
  std::vector<std::string> Progress() const {
    std::vector<std::string> rows;
    for (int row = 1; row < console.Screen.CursorRow; ++row) {
      std::string text = RowText(row);
      text.erase(text.find_last_not_of(' ') + 1);
      rows.push_back(text);
    }
    return rows;
  }

  TempDir dir_;
};

}  // namespace zeb::testing_support
