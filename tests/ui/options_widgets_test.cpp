// Clicks on the widgets of the option pages: switches, spinners, selectors.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/scripted_backend.h"
#include "core/state.h"
#include "settings/settings.h"
#include "ui/options_screen.h"

namespace zeb {
namespace {

constexpr unsigned char RightTriangle = 0x10;

class OptionsWidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    ConsoleUseBackend(&backend);
    PanelScreen = 1;
    CurrentScreen = 1;
    SetDefaultSettings();
  }
  void TearDown() override { ConsoleUseBackend(nullptr); }

  void ShowPage(int page) {
    OptionsPage = page;
    DrawOptionsPage(page);
  }
  void Click(int column, int row, int times = 1) {
    for (int i = 0; i < times; ++i) HandleOptionsClick(column, row);
  }
  static unsigned char CharAt(int column, int row) { return Screen.Cells[row - 1][column - 1].Char; }

  ScriptedBackend backend;
};

TEST_F(OptionsWidgetsTest, SwitchShowsItsTriangleBeforeYOrNAndFlipsOnItsSixColumns) {
  ShowPage(2);
  ASSERT_EQ(AutoFrameskip, 1);
  EXPECT_EQ(TextAt(23, 7, 5), "Y  N ");
  EXPECT_EQ(CharAt(22, 7), RightTriangle);
  EXPECT_EQ(ForegroundAt(23, 7), 10);
  EXPECT_EQ(ForegroundAt(26, 7), 12);
  EXPECT_EQ(ForegroundAt(22, 7), 15);

  Click(27, 7);
  EXPECT_EQ(AutoFrameskip, 0);
  EXPECT_EQ(CharAt(22, 7), ' ');
  EXPECT_EQ(CharAt(25, 7), RightTriangle);
  Click(28, 7);
  Click(21, 7);
  EXPECT_EQ(AutoFrameskip, 0) << "only columns 22 to 27 hit the switch";
  Click(22, 7);
  EXPECT_EQ(AutoFrameskip, 1);
  EXPECT_EQ(CharAt(22, 7), RightTriangle);

  // Any value but 0 counts as yes and goes to 0.
  RotateRight = 5;
  ShowPage(2);
  EXPECT_EQ(CharAt(48, 7), RightTriangle);
  Click(53, 7);
  EXPECT_EQ(RotateRight, 0);
}

TEST_F(OptionsWidgetsTest, ScanlinesAlsoTurnsWindowedDisplayOffEitherWay) {
  ShowPage(2);
  ASSERT_EQ(WindowedDisplay, 1);
  EXPECT_EQ(CharAt(22, 15), RightTriangle);
  Click(24, 19);
  EXPECT_EQ(Scanlines, 1);
  EXPECT_EQ(WindowedDisplay, 0);
  EXPECT_EQ(CharAt(25, 15), RightTriangle) << "the Windowed Display switch is redrawn at no";
  EXPECT_EQ(CharAt(22, 19), RightTriangle);
  Click(24, 19);
  EXPECT_EQ(Scanlines, 0);
  EXPECT_EQ(WindowedDisplay, 0);
  Click(24, 15);
  EXPECT_EQ(WindowedDisplay, 1) << "Windowed Display itself does not touch Scanlines";
  EXPECT_EQ(Scanlines, 0);
}

TEST_F(OptionsWidgetsTest, SkipFramesStopsAtItsLimitsAndReactsOnlyWithinItsColumns) {
  ShowPage(2);
  EXPECT_EQ(TextAt(22, 9, 6), "-  0 +");
  EXPECT_EQ(ForegroundAt(22, 9), 12);
  EXPECT_EQ(BackgroundAt(22, 9), 15);
  EXPECT_EQ(BackgroundAt(24, 9), 0);
  Click(22, 9);
  EXPECT_EQ(FramesToSkip, 0);
  Click(27, 9, 12);
  EXPECT_EQ(FramesToSkip, 11);
  EXPECT_EQ(TextAt(22, 9, 6), "- 11 +");

  // Between the buttons: no change, but the spinner is drawn again.
  FramesToSkip = 5;
  Click(24, 9);
  EXPECT_EQ(FramesToSkip, 5);
  EXPECT_EQ(TextAt(22, 9, 6), "-  5 +");
  // Outside columns 22 to 27 nothing happens at all.
  FramesToSkip = 7;
  Click(28, 9);
  Click(40, 9);
  EXPECT_EQ(TextAt(22, 9, 6), "-  5 +");
}

TEST_F(OptionsWidgetsTest, VolumeGoesDownToMinus32AndRefreshesTheCaptions) {
  ShowPage(3);
  Click(28, 18);
  EXPECT_EQ(Volume, 0);
  Click(22, 18, 33);
  EXPECT_EQ(Volume, -32);
  EXPECT_EQ(TextAt(22, 18, 7), "- -32 +");

  // The row reacts on any column, and recomputes the captions.
  SampleRate = 0;
  Volume = -3;
  Click(40, 18);
  EXPECT_EQ(Volume, -3);
  EXPECT_EQ(TextAt(22, 18, 7), "-  -3 +");
  EXPECT_EQ(SampleRateCaption, "11025");
}

TEST_F(OptionsWidgetsTest, FlickerAndFramesToRunStepInWholeSteps) {
  ShowPage(3);
  for (int i = 1; i <= 20; ++i) {
    Click(56, 16);
    EXPECT_EQ(Flicker, 5 * i);
  }
  Click(56, 16);
  EXPECT_EQ(Flicker, 100);
  EXPECT_EQ(TextAt(50, 16, 7), "- 100 +");
  Click(50, 16);
  EXPECT_EQ(Flicker, 95);

  ShowPage(4);
  for (int i = 1; i <= 50; ++i) Click(59, 21);
  EXPECT_EQ(FramesToRun, 5000);
  Click(59, 21);
  EXPECT_EQ(FramesToRun, 5000);
  EXPECT_EQ(TextAt(52, 21, 8), "- 5000 +");
  Click(52, 21);
  EXPECT_EQ(FramesToRun, 4900);
  Click(52, 21, 60);
  EXPECT_EQ(FramesToRun, 0);
  EXPECT_EQ(TextAt(52, 21, 8), "-    0 +");
}

TEST_F(OptionsWidgetsTest, BeamWidthStepsByAQuarterBetweenOneAndSixteen) {
  ShowPage(3);
  EXPECT_EQ(TextAt(50, 14, 9), "-  1.00 +");
  Click(50, 14);
  EXPECT_EQ(BeamWidth, 1.0);
  Click(58, 14);
  EXPECT_EQ(BeamWidth, 1.25);
  EXPECT_EQ(TextAt(50, 14, 9), "-  1.25 +");
  Click(58, 14, 70);
  EXPECT_EQ(BeamWidth, 16.0);
  EXPECT_EQ(TextAt(50, 14, 9), "- 16.00 +");
  Click(50, 14, 60);
  EXPECT_EQ(BeamWidth, 1.0);
}

TEST_F(OptionsWidgetsTest, BrightnessAndGammaLandExactlyOnTheirLimits) {
  ShowPage(4);
  Click(59, 7);
  EXPECT_EQ(TextAt(52, 7, 8), "- 1.10 +");
  Brightness = 2.0;
  Click(59, 7);
  EXPECT_EQ(Brightness, 2.0);
  Click(52, 7, 19);
  EXPECT_EQ(Brightness, 0.1) << "19 steps down from 2.0";
  Click(52, 7);
  EXPECT_EQ(Brightness, 0.1) << "the 20th step stops at the limit";
  EXPECT_EQ(TextAt(52, 7, 8), "- 0.10 +");
  Click(59, 7, 19);
  EXPECT_EQ(Brightness, 2.0);

  Gamma = 2.0;
  Click(52, 9, 15);
  EXPECT_EQ(Gamma, 0.5);
  Click(52, 9);
  EXPECT_EQ(Gamma, 0.5);
  EXPECT_EQ(TextAt(52, 9, 8), "- 0.50 +");
  Click(59, 9, 20);
  EXPECT_EQ(Gamma, 2.0);
}

TEST_F(OptionsWidgetsTest, ValuesOutOfRangeShowUnchangedAndMoveBackByWholeSteps) {
  FramesToSkip = 20;
  Flicker = 103;
  Brightness = 3.05;
  ShowPage(2);
  EXPECT_EQ(TextAt(22, 9, 6), "- 20 +");
  Click(27, 9);
  EXPECT_EQ(FramesToSkip, 20);
  Click(22, 9);
  EXPECT_EQ(FramesToSkip, 19);

  ShowPage(3);
  Click(56, 16);
  EXPECT_EQ(Flicker, 103);
  Click(50, 16);
  EXPECT_EQ(Flicker, 98);

  ShowPage(4);
  EXPECT_EQ(TextAt(52, 7, 8), "- 3.05 +");
  Click(59, 7);
  EXPECT_EQ(Brightness, 3.05);
  Click(52, 7);
  EXPECT_EQ(Brightness, 2.95);
}

TEST_F(OptionsWidgetsTest, SelectorsStepBetweenTheirEnds) {
  ShowPage(2);
  EXPECT_EQ(TextAt(48, 15, 12), "\x11   auto   \x10");
  EXPECT_EQ(ForegroundAt(48, 15), 12);
  EXPECT_EQ(BackgroundAt(50, 15), 0);
  Click(48, 15);
  EXPECT_EQ(Resolution, 0);
  Click(59, 15);
  EXPECT_EQ(Resolution, 1);
  EXPECT_EQ(TextAt(49, 15, 10), "  320x200 ");
  Click(59, 15, 12);
  EXPECT_EQ(Resolution, 11);
  EXPECT_EQ(TextAt(49, 15, 10), " 1024x768 ");

  // A click between the triangles: no step, but captions and selector are
  // brought up to date.
  Resolution = 5;
  Click(52, 15);
  EXPECT_EQ(Resolution, 5);
  EXPECT_EQ(TextAt(49, 15, 10), "  640x400 ");

  ScreenEffect = 7;
  Click(57, 19);
  EXPECT_EQ(ScreenEffect, 7);
  Click(48, 19);
  EXPECT_EQ(ScreenEffect, 6);
  EXPECT_EQ(TextAt(49, 19, 8), "  rgb6  ");
  ScreenDepth = 3;
  Click(57, 17);
  EXPECT_EQ(ScreenDepth, 3);

  ShowPage(4);
  Click(30, 10, 5);
  EXPECT_EQ(JoystickType, 3);
  EXPECT_EQ(TextAt(20, 10, 10), " HotrodSE ");
  Click(19, 10, 5);
  EXPECT_EQ(JoystickType, 0);
}

TEST_F(OptionsWidgetsTest, SampleRateRowAlsoHoldsAntiAlias) {
  ShowPage(3);
  EXPECT_EQ(TextAt(22, 10, 9), "\x11 44100 \x10");
  Click(30, 10);
  EXPECT_EQ(SampleRate, 2);
  Click(22, 10);
  EXPECT_EQ(SampleRate, 1);
  EXPECT_EQ(TextAt(23, 10, 7), " 22050 ");
  EXPECT_EQ(AntiAlias, 1);

  // Columns 50 to 55 toggle Anti Alias; the selector stays as drawn.
  Click(52, 10);
  EXPECT_EQ(AntiAlias, 0);
  EXPECT_EQ(CharAt(53, 10), RightTriangle);
  EXPECT_EQ(SampleRate, 1);
  SampleRate = 0;
  Click(26, 10);
  EXPECT_EQ(TextAt(23, 10, 7), " 22050 ") << "only the triangles redraw the selector";
  Click(22, 10);
  EXPECT_EQ(SampleRate, 0);
  EXPECT_EQ(TextAt(23, 10, 7), " 11025 ");
}

TEST_F(OptionsWidgetsTest, EveryClickOffTheTabRowPauses150Ms) {
  ShowPage(2);
  Click(22, 7);
  Click(5, 12);
  Click(40, 24);
  EXPECT_EQ(backend.Pauses, (std::vector<int>{150, 150, 150}));
  ShowPage(6);
  Click(30, 12);
  EXPECT_EQ(backend.Pauses.size(), 4u) << "the About page pauses too and does nothing else";
}

}  // namespace
}  // namespace zeb
