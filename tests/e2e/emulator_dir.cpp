#include "e2e/emulator_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zeb::e2e {

void InstallEmulator(const ScratchDir& dir) {
  std::filesystem::copy_file(StandinBinary(), dir.File("mame.exe"));
  WriteFile(dir.File("mame.ini"), "rompath = roms\r\n");
}

void WriteLists(const ScratchDir& dir) {
  WriteFile(dir.File("ver.txt"), RunCapture({dir.File("mame.exe"), "-?"}));
  WriteFile(dir.File("listfull.txt"), RunCapture({dir.File("mame.exe"), "-listfull", "-sortdriver"}));
  WriteFile(dir.File("listclones.txt"), RunCapture({dir.File("mame.exe"), "-listclones", "-sortdriver"}));
}

void PrepareDemo(const ScratchDir& dir) {
  InstallEmulator(dir);
  WriteLists(dir);
  std::filesystem::copy(SourceDir() + "/demo", dir.Path(),
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing);
}

bool WaitForGamesList(TmuxSession& term) { return term.WaitFor("Driver    Game Name", 2 * DefaultWait); }

int QuitWithEscape(TmuxSession& term, const std::string& answer) {
  term.Send("\x1b");
  if (!term.WaitFor("Are You Sure (Y/N)?")) return -2;
  term.Send(answer);
  return term.WaitExit();
}

void StartAndQuit(const ScratchDir& dir) {
  TmuxSession term(dir.Path(), ZebBinary());
  WaitForGamesList(term);
  QuitWithEscape(term);
}

void ExpectTerminalRestored(TmuxSession& term) {
  EXPECT_EQ(term.Query("#{alternate_on}"), "0");
  EXPECT_EQ(term.Query("#{cursor_flag}"), "1");
  EXPECT_EQ(term.Query("#{mouse_any_flag}#{mouse_button_flag}#{mouse_all_flag}#{mouse_sgr_flag}"), "0000");
  EXPECT_TRUE(term.WaitFor("icanon echo"));
}

std::vector<std::string> FileLines(const std::string& path) {
  std::vector<std::string> lines;
  std::string text = ReadFile(path), line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      ++i;
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace zeb::e2e
