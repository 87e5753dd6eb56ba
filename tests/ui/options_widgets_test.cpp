// Clicks on the widgets of the option pages: switches, spinners, selectors.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/scripted_backend.h"
#include "settings/settings.h"
#include "support/program_test.h"
#include "support/environment.h"
#include "support/temp_dir.h"
#include "support/user_locale.h"
#include "ui/options_screen.h"

// glibc's newlocale keeps its copy of LOCPATH for good; only the locale
// test sets LOCPATH, and the program never does.
extern "C" const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }

namespace zeb {
namespace {

constexpr unsigned char Mark = 0x10;  // the switch's triangle

class OptionsWidgetsTest : public testing_support::ProgramTest<> {
 protected:
  // The real spinners show the user's decimal separator: "." here, whatever
  // the machine's locale.
  testing_support::ScopedEnvironment numeric_{"LC_ALL", "C"};

  void SetUp() override {
    ProgramTest::SetUp();
    navigation.PanelScreen = navigation.CurrentScreen = Screen::Options;
    SetDefaultSettings(settings, options.Captions);
  }

  void ShowPage(int page) {
    options.OptionsPage = static_cast<Page>(page);
    DrawOptionsPage(console, settings, options, options.OptionsPage);
  }
  // Clicks, and the page drawn after each as the main loop draws it.
  void Click(int column, int row, int times = 1) {
    for (int i = 0; i < times; ++i) {
      HandleOptionsClick(console, options, settings, {column, row});
      DrawOptionsPage(console, settings, options, options.OptionsPage);
    }
  }
  unsigned char CharAt(int column, int row) const { return console.Screen.Cells[row - 1][column - 1].Char; }
};

TEST_F(OptionsWidgetsTest, SwitchMovesItsTriangleBetweenYAndNOnItsSixColumns) {
  ShowPage(2);
  EXPECT_EQ(TextAt(22, 7, 6), "\x10Y  N ");
  EXPECT_EQ(AttrAt(23, 7), 10);
  EXPECT_EQ(AttrAt(26, 7), 12);
  Click(27, 7);
  EXPECT_EQ(settings.AutoFrameskip, 0);
  EXPECT_EQ(TextAt(22, 7, 6), " Y \x10N ");
  Click(28, 7);
  Click(21, 7);
  EXPECT_EQ(settings.AutoFrameskip, 0) << "only columns 22 to 27 hit the switch";
  // Any value but 0 is yes and goes to 0.
  settings.RotateRight = 5;
  Click(53, 7);
  EXPECT_EQ(settings.RotateRight, 0);
  EXPECT_EQ(CharAt(51, 7), Mark);
}

TEST_F(OptionsWidgetsTest, ScanlinesAlsoTurnsWindowedDisplayOffEitherWay) {
  ShowPage(2);
  ASSERT_EQ(settings.WindowedDisplay, 1);
  for (int expectedScanlines : {1, 0}) {
    Click(24, 19);
    EXPECT_EQ(settings.Scanlines, expectedScanlines);
    EXPECT_EQ(settings.WindowedDisplay, 0);
    EXPECT_EQ(CharAt(25, 15), Mark) << "the Windowed Display switch shows no";
  }
}

TEST_F(OptionsWidgetsTest, WholeSpinnersStopAtTheirLimits) {
  ShowPage(2);
  EXPECT_EQ(TextAt(22, 9, 6), "-  0 +");
  EXPECT_EQ(AttrAt(22, 9), 12 + 16 * 15);
  EXPECT_EQ(AttrAt(24, 9), 15);
  Click(22, 9);
  EXPECT_EQ(settings.FramesToSkip, 0);
  Click(27, 9, 12);
  EXPECT_EQ(settings.FramesToSkip, 11);
  EXPECT_EQ(TextAt(22, 9, 6), "- 11 +");

  ShowPage(3);
  Click(28, 18);
  EXPECT_EQ(settings.Volume, 0);
  Click(22, 18, 33);
  EXPECT_EQ(settings.Volume, -32);
  EXPECT_EQ(TextAt(22, 18, 7), "- -32 +");
  for (int i = 1; i <= 21; ++i) Click(56, 16);
  EXPECT_EQ(settings.Flicker, 100);
  EXPECT_EQ(TextAt(50, 16, 7), "- 100 +");
  Click(50, 16);
  EXPECT_EQ(settings.Flicker, 95);

  ShowPage(4);
  Click(59, 21, 51);
  EXPECT_EQ(settings.FramesToRun, 5000);
  EXPECT_EQ(TextAt(52, 21, 8), "- 5000 +");
  Click(52, 21);
  EXPECT_EQ(settings.FramesToRun, 4900);
}

TEST_F(OptionsWidgetsTest, ClicksBetweenTheButtonsRedrawWithinTheSpinnersColumns) {
  ShowPage(2);
  settings.FramesToSkip = 5;
  Click(24, 9);
  EXPECT_EQ(settings.FramesToSkip, 5);
  EXPECT_EQ(TextAt(22, 9, 6), "-  5 +");
  Click(28, 9);
  Click(21, 9);
  EXPECT_EQ(settings.FramesToSkip, 5) << "Skip # Frames reacts to columns 22 to 27 only";
  EXPECT_EQ(TextAt(22, 9, 6), "-  5 +");

  // Volume reacts on any column of its row, and recomputes the captions.
  ShowPage(3);
  settings.Volume = -3;
  settings.SampleRate = 0;
  Click(40, 18);
  EXPECT_EQ(TextAt(22, 18, 7), "-  -3 +");
  EXPECT_EQ(options.Captions.SampleRateCaption, "11025");
}

TEST_F(OptionsWidgetsTest, RealSpinnersLandExactlyOnTheirLimits) {
  ShowPage(3);
  Click(50, 14);
  EXPECT_EQ(settings.BeamWidth, 1.0);
  Click(58, 14);
  EXPECT_EQ(TextAt(50, 14, 9), "-  1.25 +");
  Click(58, 14, 70);
  EXPECT_EQ(settings.BeamWidth, 16.0);
  EXPECT_EQ(TextAt(50, 14, 9), "- 16.00 +");

  ShowPage(4);
  Click(59, 7);
  EXPECT_EQ(TextAt(52, 7, 8), "- 1.10 +");
  settings.Brightness = 2.0;
  Click(59, 7);
  EXPECT_EQ(settings.Brightness, 2.0);
  Click(52, 7, 20);  // the 20th step finds the limit
  EXPECT_EQ(settings.Brightness, 0.1);
  EXPECT_EQ(TextAt(52, 7, 8), "- 0.10 +");
  settings.Gamma = 2.0;
  Click(52, 9, 16);
  EXPECT_EQ(settings.Gamma, 0.5);
  Click(59, 9, 20);
  EXPECT_EQ(settings.Gamma, 2.0);
}

// The options screen shows the decimal separator that the emulator's
// command line gets.
TEST_F(OptionsWidgetsTest, RealSpinnersShowTheSeparatorOfTheUsersLocale) {
  testing_support::TempDir dir;
  testing_support::CommaLocale locale(dir.Path());
  ASSERT_NE(locale.Separator(), 0) << locale.Problem();
  const std::string point(1, locale.Separator());
  ShowPage(3);
  Click(58, 14);
  EXPECT_EQ(TextAt(50, 14, 9), "-  1" + point + "25 +");
  ShowPage(4);
  EXPECT_EQ(TextAt(52, 7, 8), "- 1" + point + "00 +");
  Click(59, 9);
  EXPECT_EQ(TextAt(52, 9, 8), "- 1" + point + "10 +");
}

TEST_F(OptionsWidgetsTest, ValuesOutOfRangeShowUnchangedAndMoveBackByWholeSteps) {
  settings.FramesToSkip = 20;
  settings.Flicker = 103;
  settings.Brightness = 3.05;
  ShowPage(2);
  EXPECT_EQ(TextAt(22, 9, 6), "- 20 +");
  Click(27, 9);
  Click(22, 9);
  EXPECT_EQ(settings.FramesToSkip, 19);
  ShowPage(3);
  Click(56, 16);
  Click(50, 16);
  EXPECT_EQ(settings.Flicker, 98);
  ShowPage(4);
  EXPECT_EQ(TextAt(52, 7, 8), "- 3.05 +");
  Click(59, 7);
  Click(52, 7);
  EXPECT_EQ(settings.Brightness, 2.95);
}

TEST_F(OptionsWidgetsTest, SelectorsStepBetweenTheirEnds) {
  ShowPage(2);
  EXPECT_EQ(TextAt(48, 15, 12), "\x11   auto   \x10");
  EXPECT_EQ(AttrAt(48, 15), 12 + 16 * 15);
  EXPECT_EQ(AttrAt(50, 15), 15);
  Click(48, 15);
  EXPECT_EQ(settings.Resolution, 0);
  Click(59, 15);
  EXPECT_EQ(TextAt(49, 15, 10), "  320x200 ");
  Click(59, 15, 11);
  EXPECT_EQ(settings.Resolution, 11);
  // Between the triangles: no step, but captions and selector are redrawn.
  settings.Resolution = 5;
  Click(52, 15);
  EXPECT_EQ(TextAt(49, 15, 10), "  640x400 ");
  settings.ScreenEffect = 7;
  Click(57, 19);
  EXPECT_EQ(settings.ScreenEffect, 7);

  ShowPage(4);
  Click(30, 10, 4);
  EXPECT_EQ(TextAt(20, 10, 10), " HotrodSE ");
}

TEST_F(OptionsWidgetsTest, SampleRateRowAlsoHoldsAntiAlias) {
  ShowPage(3);
  Click(30, 10);
  EXPECT_EQ(settings.SampleRate, 2);
  EXPECT_EQ(TextAt(22, 10, 9), "\x11 44100 \x10");
  Click(22, 10);
  EXPECT_EQ(TextAt(23, 10, 7), " 22050 ");
  Click(52, 10);
  EXPECT_EQ(settings.AntiAlias, 0);
  EXPECT_EQ(settings.SampleRate, 1);
  Click(26, 10);
  Click(31, 10);
  EXPECT_EQ(settings.SampleRate, 1) << "only the triangles step the selector";
  EXPECT_EQ(settings.AntiAlias, 0);
  EXPECT_EQ(TextAt(23, 10, 7), " 22050 ");
}

TEST_F(OptionsWidgetsTest, EveryClickOffTheTabRowPauses150Ms) {
  ShowPage(2);
  Click(22, 7);
  Click(5, 12);
  ShowPage(6);
  Click(30, 12);
  EXPECT_EQ(backend.Pauses, (std::vector<int>{150, 150, 150}));
}

}  // namespace
}  // namespace zeb
