#include "e2e/emulator_dir.h"

#include <gtest/gtest.h>

#include <filesystem>


namespace zeb::e2e {

void InstallEmulator(const TempDir& dir) {
  std::filesystem::copy_file(StandinBinary(), dir.File("mame.exe"));
  WriteBytes(dir.File("mame.ini"), "rompath = roms\r\n");
}

void WriteLists(const TempDir& dir) {
  WriteBytes(dir.File("ver.txt"), RunCapture({dir.File("mame.exe"), "-?"}));
  WriteBytes(dir.File("listfull.txt"), RunCapture({dir.File("mame.exe"), "-listfull", "-sortdriver"}));
  WriteBytes(dir.File("listclones.txt"), RunCapture({dir.File("mame.exe"), "-listclones", "-sortdriver"}));
}

void PrepareDemo(const TempDir& dir) {
  InstallEmulator(dir);
  WriteLists(dir);
  std::filesystem::copy(SourceDir() + "/demo", dir.Path(),
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing);
}

bool WaitForGamesList(TmuxSession& term) { return term.WaitFor("Driver    Game Name", 2 * DefaultWait); }

bool LaunchSelectedGame(TmuxSession& term) {
  term.Send("\r");
  return term.WaitForLine(25, "Press any key to continue.....");
}

bool BackToGamesList(TmuxSession& term, const std::string& key) {
  term.Send(key);
  return WaitForGamesList(term);
}

int QuitWithEscape(TmuxSession& term, const std::string& answer) {
  term.Send("\x1b");
  if (!term.WaitFor("Are You Sure (Y/N)?")) return -2;
  term.Send(answer);
  return term.WaitExit();
}

void StartAndQuit(const TempDir& dir) {
  TmuxSession term(dir.Path(), ZebBinary());
  WaitForGamesList(term);
  QuitWithEscape(term);
}

void ExpectTerminalRestored(TmuxSession& term) {
  EXPECT_EQ(term.Query("#{alternate_on}"), "0");
  EXPECT_EQ(term.Query("#{cursor_flag}"), "1");
  EXPECT_EQ(term.Query("#{mouse_any_flag}#{mouse_button_flag}#{mouse_all_flag}#{mouse_sgr_flag}"), "0000");
  EXPECT_EQ(term.ModesAfterExit(), "icanon echo");
}

std::vector<std::string> FileLines(const std::string& path) {
  std::vector<std::string> lines;
  std::string text = ReadBytes(path), line;
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

std::vector<std::string> ImportedSettings(const TempDir& dir) {
  std::vector<std::string> ini = FileLines(dir.File("zeb.ini"));
  if (ini.size() < 48) {
    ADD_FAILURE() << "zeb.ini holds " << ini.size() << " lines";
    return {};
  }
  EXPECT_EQ(ini.size(), 46u + 6u * static_cast<unsigned>(std::stoi(ini[0])));
  EXPECT_EQ(ini[46], "astrobee");
  EXPECT_EQ(ini[47], "Astro Bee (World)");
  return ini;
}

std::map<std::string, std::string> DirectoryContents(const TempDir& dir) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    if (entry.path().filename().string().rfind(".tmux-", 0) == 0) continue;
    entries[entry.path().string()] = entry.is_regular_file() ? ReadBytes(entry.path().string()) : "<other>";
  }
  return entries;
}

}  // namespace zeb::e2e
