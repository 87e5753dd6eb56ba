// The option pages as drawn, the tabs, and the path fields.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/scripted_backend.h"
#include "core/state.h"
#include "settings/settings.h"
#include "ui/main_loop.h"
#include "ui/options_screen.h"

namespace zeb {
namespace {

class OptionsPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    ConsoleUseBackend(&backend);
    SetDefaultSettings();
  }
  void TearDown() override { ConsoleUseBackend(nullptr); }

  static unsigned char CharAt(int column, int row) { return Screen.Cells[row - 1][column - 1].Char; }

  ScriptedBackend backend;
};

std::string Repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

TEST_F(OptionsPagesTest, EveryPageStandsInTheFrameUnderItsTabs) {
  const std::string top = "\xDA" + Repeat('\xC4', 5) + "\xC2" + Repeat('\xC4', 7) + "\xC2" +
                          Repeat('\xC4', 12) + "\xC2" + Repeat('\xC4', 5) + "\xBF";
  const std::string tabs = "\xB3" "Paths\xB3" "Display\xB3" "Sound/Vector\xB3" "Other\xB3";
  const std::string joint = "\xC3" + Repeat('\xC4', 5) + "\xC1" + Repeat('\xC4', 7) + "\xC1" +
                            Repeat('\xC4', 12) + "\xC1" + Repeat('\xC4', 5) + "\xC1" + Repeat('\xC4', 20) +
                            "\xC1" + Repeat('\xC4', 5) + "\xB4";
  for (int page : {1, 2, 3, 4, 6}) {
    ConsoleUseBackend(&backend);  // a clean screen for each page
    DrawOptionsPage(page);
    EXPECT_EQ(TextAt(2, 3, 34), top) << page;
    EXPECT_EQ(TextAt(56, 3, 7), "\xDA" + Repeat('\xC4', 5) + "\xBF") << page;
    EXPECT_EQ(TextAt(2, 4, 34), tabs) << page;
    EXPECT_EQ(TextAt(56, 4, 7), "\xB3" "About\xB3") << page;
    EXPECT_EQ(TextAt(2, 5, 61), joint) << page;
    EXPECT_EQ(CharAt(2, 15), 0xB3) << page;
    EXPECT_EQ(CharAt(62, 24), 0xB3) << page;
    EXPECT_EQ(TextAt(2, 25, 61), "\xC0" + Repeat('\xC4', 59) + "\xD9") << page;
    EXPECT_EQ(AttrAt(62, 25), 15 + 16 * 1) << page;
    EXPECT_EQ(AttrAt(63, 25), 7) << "nothing right of column 62";
    // The gap between the tab groups and the page area are blue.
    EXPECT_EQ(CharAt(36, 3), 0xDB);
    EXPECT_EQ(ForegroundAt(55, 4), 1);
    EXPECT_EQ(ForegroundAt(61, 24), 1);
  }
}

TEST_F(OptionsPagesTest, TheCurrentPageTabIsYellow) {
  DrawOptionsPage(3);
  EXPECT_EQ(ForegroundAt(17, 4), 14);
  EXPECT_EQ(ForegroundAt(28, 4), 14);
  EXPECT_EQ(ForegroundAt(3, 4), 15);
  EXPECT_EQ(ForegroundAt(57, 4), 15);
  EXPECT_EQ(BackgroundAt(17, 4), 1);
  EXPECT_EQ(TextAt(4, 7, 10), "SOUND MENU");
  EXPECT_EQ(TextAt(34, 8, 11), "===========");
  EXPECT_EQ(TextAt(34, 10, 10), "Anti Alias");
  EXPECT_EQ(AttrAt(34, 10), 15 + 16 * 1);
}

TEST_F(OptionsPagesTest, PathsPageShowsFieldsAsBlackBarsAndTheNotes) {
  MamePath = "";
  ExeName = std::string(50, 'e');
  DrawOptionsPage(1);
  EXPECT_EQ(TextAt(4, 10, 11), "Roms Paths:");
  EXPECT_EQ(TextAt(22, 10, 5), "roms\xDB");
  EXPECT_EQ(AttrAt(22, 10), 15);
  EXPECT_EQ(AttrAt(26, 10), 0 + 16 * 15) << "the bar is full blocks in black";
  EXPECT_EQ(AttrAt(58, 10), 0 + 16 * 15);
  EXPECT_EQ(ForegroundAt(59, 10), 1) << "the bar ends at column 58";
  EXPECT_EQ(TextAt(22, 7, 37), Repeat('\xDB', 37));
  const std::string note = "To add extra directories use a \";\" as a separator";
  EXPECT_EQ(TextAt(4, 12, 49), note);
  EXPECT_EQ(TextAt(4, 18, 49), note);
  EXPECT_EQ(TextAt(22, 22, 50), std::string(50, 'e')) << "a long field runs past the bar";
  EXPECT_EQ(TextAt(4, 22, 16), "Executable Name:");
}

TEST_F(OptionsPagesTest, AboutPageShowsThePictureAndTheCreditLine) {
  DrawOptionsPage(6);
  EXPECT_EQ(CharAt(3, 6), 0xDB);
  EXPECT_EQ(CharAt(60, 22), 0xDB);
  EXPECT_NE(CharAt(10, 24), 0xDB);
  EXPECT_EQ(ForegroundAt(10, 24), 15);
  EXPECT_EQ(ForegroundAt(24, 24), 14);
  EXPECT_EQ(BackgroundAt(24, 24), 1);
  EXPECT_NE(CharAt(24, 24), 0xDB);
}

TEST_F(OptionsPagesTest, TabsSwitchPagesOnlyToAnotherPage) {
  CurrentScreen = 1;
  DrawScreenBody(1, 1);
  HandleOptionsClick(9, 4);
  EXPECT_EQ(OptionsPage, 2);
  EXPECT_EQ(ForegroundAt(9, 4), 14);
  EXPECT_EQ(ForegroundAt(3, 4), 15);
  EXPECT_EQ(TextAt(4, 7, 14), "Auto Frameskip");
  EXPECT_EQ(CharAt(2, 3), 0xDA);

  // The current page's tab, a separator and the gap do nothing.
  PutText("Q", 40, 12, 15, 0);
  HandleOptionsClick(12, 4);
  HandleOptionsClick(8, 4);
  HandleOptionsClick(45, 4);
  HandleOptionsClick(62, 4);
  EXPECT_EQ(OptionsPage, 2);
  EXPECT_EQ(CharAt(40, 12), 'Q');

  HandleOptionsClick(28, 4);
  EXPECT_EQ(OptionsPage, 3);
  HandleOptionsClick(30, 4);
  EXPECT_EQ(OptionsPage, 4);
  HandleOptionsClick(56, 4);
  EXPECT_EQ(OptionsPage, 6);
  HandleOptionsClick(7, 4);
  EXPECT_EQ(OptionsPage, 1);
  EXPECT_TRUE(backend.Pauses.empty()) << "the tab row has no pause";
}

TEST_F(OptionsPagesTest, ClickOnAPathFieldEditsItInPlace) {
  CurrentScreen = 1;
  DrawScreenBody(1, 1);
  backend.Keys("\b\bdata\r");
  HandleOptionsClick(57, 10);
  EXPECT_EQ(RomPaths, "rodata");
  EXPECT_EQ(TextAt(22, 10, 8), "rodata  ");
  EXPECT_EQ(LastKey, 13);

  backend.Keys("32\r");
  HandleOptionsClick(22, 22);
  EXPECT_EQ(ExeName, "mame.exe32");

  // Columns 21 and 58 are off the field: no editor, which would wait for keys.
  HandleOptionsClick(21, 7);
  HandleOptionsClick(58, 16);
  EXPECT_EQ(SamplePaths, "samples");
  EXPECT_EQ(backend.Pauses, (std::vector<int>{150, 150, 150, 150}));
}

}  // namespace
}  // namespace zeb
