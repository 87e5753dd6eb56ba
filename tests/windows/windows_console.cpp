#include "windows/windows_console.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "e2e/emulator_dir.h"

namespace zeb::windows_e2e {

namespace {

void Describe(std::string& text, const ScreenCell& cell) {
  text += '\'';
  text += cell.Glyph;
  text += "' ";
  text += std::to_string(cell.Foreground);
  text += '/';
  text += std::to_string(cell.Background);
}

}  // namespace

std::string WindowsDir() { return ZEB_WINDOWS_DIR; }

std::string Wine(const std::string& programAndArguments) {
  std::string command = "env WINEDEBUG=-all ";
  command += ZEB_WINE;
  command += ' ';
  command += programAndArguments;
  return command;
}

void InstallWindowsPrograms(const TempDir& dir, bool withConfiguration) {
  const auto overwrite = std::filesystem::copy_options::overwrite_existing;
  std::filesystem::copy_file(WindowsDir() + "/zeb.exe", dir.File("zeb.exe"), overwrite);
  std::filesystem::copy_file(WindowsDir() + "/mame.exe", dir.File("mame.exe"), overwrite);
  if (withConfiguration) e2e::WriteBytes(dir.File("mame.ini"), "rompath = roms\r\n");
}

void PrepareWindowsDemo(const TempDir& dir) {
  e2e::PrepareDemo(dir);
  InstallWindowsPrograms(dir);
}

std::string TerminalModes(TmuxSession& term) {
  const std::string tty = term.Query("#{pane_tty}");
  if (tty.empty()) return "";
  std::string modes;
  std::istringstream settings(e2e::RunCapture({"stty", "-F", tty, "-a"}));
  for (std::string word; settings >> word;) {
    if (word == "icanon" || word == "-icanon" || word == "echo" || word == "-echo") {
      if (!modes.empty()) modes += ' ';
      modes += word;
    }
  }
  return modes;
}

bool WaitUntilKeysArriveRaw(TmuxSession& term) {
  return e2e::WaitUntil([&] { return TerminalModes(term) == "-icanon -echo"; });
}

std::vector<std::vector<ScreenCell>> ConsoleCells(TmuxSession& term) {
  // The shades and half blocks: in one colour on the same colour they look
  // as a blank of it.
  static const std::vector<std::string> PartialBlocks = {"\u2591", "\u2592", "\u2593", "\u2584",
                                                         "\u258C", "\u2590", "\u2580"};
  auto cells = term.Cells();
  for (auto& row : cells) {
    for (ScreenCell& cell : row) {
      if (cell.Foreground < 0) cell.Foreground = 7;
      if (cell.Background < 0) cell.Background = 0;
      bool partial = std::find(PartialBlocks.begin(), PartialBlocks.end(), cell.Glyph) != PartialBlocks.end();
      if (cell.Glyph == "\u2588" || (partial && cell.Foreground == cell.Background)) {
        cell.Glyph.assign(1, ' ');
        cell.Background = cell.Foreground;
      }
    }
  }
  return cells;
}

int ForgiveWineBackgrounds(const std::vector<std::vector<ScreenCell>>& posix,
                           std::vector<std::vector<ScreenCell>>& windows) {
  int forgiven = 0;
  for (std::size_t row = 0; row < posix.size() && row < windows.size(); ++row) {
    // The background wine believes it has sent while the terminal has none;
    // -1 while they agree. It lasts until the background changes.
    int lostBackground = -1;
    for (std::size_t column = 0; column < posix[row].size() && column < windows[row].size(); ++column) {
      const ScreenCell& cell = posix[row][column];
      if (cell.Background != lostBackground) lostBackground = -1;
      const bool resetAfterOtherColour = column > 0 && cell.Foreground == 7 && cell.Background != 0 &&
                                         posix[row][column - 1].Foreground != 7 &&
                                         posix[row][column - 1].Background == cell.Background;
      if (resetAfterOtherColour) lostBackground = cell.Background;
      ScreenCell& shown = windows[row][column];
      if (lostBackground >= 0 && shown.Glyph == cell.Glyph && shown.Foreground == cell.Foreground &&
          shown.Background == 0) {
        shown.Background = cell.Background;
        ++forgiven;
      }
    }
  }
  return forgiven;
}

std::string Differences(const std::vector<std::vector<ScreenCell>>& expected,
                        const std::vector<std::vector<ScreenCell>>& actual) {
  std::string text;
  int count = 0;
  for (std::size_t row = 0; row < expected.size() && row < actual.size(); ++row) {
    for (std::size_t column = 0; column < expected[row].size() && column < actual[row].size(); ++column) {
      const ScreenCell& a = expected[row][column];
      const ScreenCell& b = actual[row][column];
      if (a.Glyph == b.Glyph && a.Foreground == b.Foreground && a.Background == b.Background) continue;
      if (++count <= 12) {
        text += '(';
        text += std::to_string(column + 1);
        text += ',';
        text += std::to_string(row + 1);
        text += ") ";
        Describe(text, a);
        text += " but ";
        Describe(text, b);
        text += '\n';
      }
    }
  }
  if (count > 12) {
    text += "... ";
    text += std::to_string(count);
    text += " cells in all\n";
  }
  return text;
}

}  // namespace zeb::windows_e2e
