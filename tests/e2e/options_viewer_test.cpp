// The options screen and the text viewer in a real terminal.

#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/emulator_dir.h"

namespace zeb::e2e {
namespace {

TEST(OptionsScreen, ChangedWidgetsReachTheSettingsFileAndTheNextLaunch) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  auto before = FileLines(dir.File("zeb.ini"));

  term.Click(79, 3);
  ASSERT_TRUE(term.WaitFor("Mame Options"));
  ASSERT_TRUE(term.WaitFor("Roms Paths:"));  // the Paths page first
  EXPECT_TRUE(term.WaitFor("Executable Name:"));

  term.Click(11, 4);  // Display tab
  ASSERT_TRUE(term.WaitFor("Vertical Sync"));
  term.Click(24, 11);  // Vertical Sync: no -> yes
  ASSERT_TRUE(WaitUntil([&] { return term.At(22, 11).Glyph == "\u25BA"; }));

  term.Click(20, 4);  // Sound/Vector tab
  ASSERT_TRUE(term.WaitFor("SOUND MENU"));
  term.Click(22, 18);  // Volume "-"
  ASSERT_TRUE(term.WaitFor(" -1 "));

  term.Click(70, 7);  // Save Config
  ASSERT_TRUE(term.WaitFor("Config Saved"));
  auto after = FileLines(dir.File("zeb.ini"));
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i == 7) {
      EXPECT_EQ(after[i], "1");  // Vertical Sync
    } else if (i == 23) {
      EXPECT_EQ(after[i], "-1");  // Volume
    } else {
      EXPECT_EQ(after[i], before[i]) << "line " << i + 1;
    }
  }

  // Back to the games list; the next launch uses the new options.
  term.Click(64, 3);
  ASSERT_TRUE(WaitForGamesList(term));
  ASSERT_TRUE(LaunchSelectedGame(term));
  EXPECT_EQ(ReadBytes(dir.File("launch.log")), "[astrobee] [-waitvsync] [-w] [-vol] [-1] [-c]\n");
  ASSERT_TRUE(BackToGamesList(term));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

TEST(OptionsScreen, EditingRomsPathsAndSavingWritesTheNewText) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  term.Click(79, 3);
  ASSERT_TRUE(term.WaitFor("Roms Paths:"));
  term.Click(30, 10);
  ASSERT_TRUE(term.WaitFor("roms_"));
  term.Send("\x7f\x7f");
  term.Send("data");
  ASSERT_TRUE(term.WaitFor("rodata_"));
  term.Send("\r");
  ASSERT_TRUE(term.WaitGone("rodata_"));
  term.Click(70, 7);  // Save Config
  ASSERT_TRUE(term.WaitFor("Config Saved"));
  EXPECT_EQ(FileLines(dir.File("zeb.ini"))[2], "rodata");
  EXPECT_EQ(QuitWithEscape(term), 0);
}

TEST(TextViewer, OpensOnThePictureShowsScrollsAndReportsAMissingFile) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  std::filesystem::remove(dir.File("windows.txt"));
  std::string readme;
  for (int i = 1; i <= 40; ++i) readme += "readme line " + std::to_string(i) + "\r\n";
  WriteBytes(dir.File("readme.txt"), readme);

  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  term.Click(79, 3);
  ASSERT_TRUE(term.WaitFor("Mame Options"));
  term.Click(79, 3);
  ASSERT_TRUE(term.WaitFor("File Viewer"));
  ASSERT_TRUE(term.WaitFor("Text Viewer"));
  EXPECT_TRUE(term.WaitFor("ZEB Readme"));
  // The picture: blocks of its colours inside the black body (a block shows
  // as a cell of its colour).
  EXPECT_TRUE(WaitUntil([&] {
    int blocks = 0;
    auto cells = term.Cells();
    for (int row = 6; row <= 22; ++row) {
      for (int column = 3; column <= 60; ++column) {
        const ScreenCell& cell = cells[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
        bool coloured = cell.Glyph == " " ? cell.Background > 0 : cell.Glyph == "\u2588" && cell.Foreground > 0;
        blocks += coloured;
      }
    }
    return blocks > 50;
  }));

  term.Click(70, 7);  // ZEB Readme
  ASSERT_TRUE(term.WaitForText(2, 4, "readme line 1 "));
  term.Send("\x1b[B");
  ASSERT_TRUE(term.WaitForText(2, 4, "readme line 2 "));
  term.Click(62, 24);  // inner down arrow
  ASSERT_TRUE(term.WaitForText(2, 4, "readme line 3 "));
  term.Click(62, 4);  // inner up arrow
  ASSERT_TRUE(term.WaitForText(2, 4, "readme line 2 "));
  term.Send("\x1b[F");
  ASSERT_TRUE(term.WaitForText(2, 23, "readme line 40"));

  term.Click(70, 23);  // Windows: its file is missing
  ASSERT_TRUE(term.WaitFor("File Not Available!"));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

}  // namespace
}  // namespace zeb::e2e
