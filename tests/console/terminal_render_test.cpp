// Showing the screen model on a terminal: colours, glyphs and the bytes of a
// change.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "console/terminal_render.h"
#include "virtual_terminal.h"

namespace zeb {
namespace {

void Put(ScreenModel& model, std::string_view text, int column, int row, int attr) {
  for (char c : text) {
    model.Cells[row - 1][column - 1] = Cell{static_cast<unsigned char>(c), static_cast<unsigned char>(attr)};
    ++column;
  }
}

// The model as a terminal shows it through one view, frame after frame, as
// the backend presents it.
struct Presented {
  // Renders what changed since the last frame and shows it; the bytes.
  std::string Frame() {
    std::string out;
    RenderChanges(view, model, out);
    terminal.Apply(out);
    return out;
  }

  ScreenModel model;
  TerminalView view;
  VirtualTerminal terminal;
};

TEST(TerminalRenderTest, ConsoleColoursBecomeAnsiColours) {
  EXPECT_EQ(SgrForeground(0), 30);
  EXPECT_EQ(SgrForeground(1), 34);   // blue
  EXPECT_EQ(SgrForeground(2), 32);   // green
  EXPECT_EQ(SgrForeground(3), 36);   // cyan
  EXPECT_EQ(SgrForeground(4), 31);   // red
  EXPECT_EQ(SgrForeground(6), 33);   // brown
  EXPECT_EQ(SgrForeground(7), 37);
  EXPECT_EQ(SgrForeground(8), 90);   // dark grey
  EXPECT_EQ(SgrForeground(9), 94);
  EXPECT_EQ(SgrForeground(12), 91);
  EXPECT_EQ(SgrForeground(14), 93);  // yellow
  EXPECT_EQ(SgrForeground(15), 97);
  EXPECT_EQ(SgrBackground(0), 40);
  EXPECT_EQ(SgrBackground(1), 44);
  EXPECT_EQ(SgrBackground(4), 41);
  EXPECT_EQ(SgrBackground(12), 101);
}

TEST(TerminalRenderTest, FirstFrameShowsEveryCellThenNothingChanges) {
  Presented shown;
  ScreenModel& model = shown.model;
  model.CursorVisible = false;
  Put(model, "ZEB v1.1", 1, 1, 15 + 16 * 1);
  Put(model, "\xDA\xC4\xC4\xBF", 10, 5, 14 + 16 * 4);
  Put(model, "bottom right", 69, 25, 0 + 16 * 7);

  shown.Frame();
  EXPECT_EQ(shown.terminal.Errors, "");
  EXPECT_EQ(shown.terminal.Compare(model), "");
  EXPECT_FALSE(shown.terminal.CursorVisible);
  EXPECT_EQ(shown.terminal.RowText(5).substr(9, 12), "\u250C\u2500\u2500\u2510");

  EXPECT_EQ(shown.Frame().size(), 0u);
}

TEST(TerminalRenderTest, OneChangedCellIsASmallWrite) {
  Presented shown;
  ScreenModel& model = shown.model;
  model.CursorVisible = false;
  shown.Frame();

  Put(model, "x", 40, 12, 7);
  EXPECT_EQ(shown.Frame(), "\x1b[12;40Hx");

  Put(model, "y", 41, 12, 14 + 16 * 1);  // new colours: both change
  Put(model, "z", 44, 12, 14 + 16 * 1);  // a short gap in other colours: a forward move
  EXPECT_LE(shown.Frame().size(), 30u);
  EXPECT_EQ(shown.terminal.Errors, "");
  EXPECT_EQ(shown.terminal.Compare(model), "");
}

TEST(TerminalRenderTest, ContentBytesNeverDriveTheTerminal) {
  Presented shown;
  std::string nasty;
  for (int byte = 0; byte < 80; ++byte) nasty += static_cast<char>(byte < 32 ? byte : (byte == 79 ? 0x7F : 0x1B));
  Put(shown.model, nasty, 1, 3, 7);
  Put(shown.model, "\x1b[2J\x1b]0;owned\x07\x9b" "31m", 1, 4, 7);
  const std::string out = shown.Frame();
  EXPECT_EQ(shown.terminal.Errors, "");  // every ESC began one of our own sequences
  EXPECT_EQ(shown.terminal.Compare(shown.model), "");
  EXPECT_EQ(out.find('\a'), std::string::npos);
  EXPECT_EQ(shown.terminal.Cells[3][0].Glyph, "\u2190");
}

// Some fonts draw the full block a little short, so that block-filled
// areas show lines of the background. A block is drawn as a blank on the
// block's colour instead: no gap in any terminal, one byte instead of three.
TEST(TerminalRenderTest, BlocksOfOneColourAreBlanksOnThatColour) {
  Presented shown;
  ScreenModel& model = shown.model;
  VirtualTerminal& terminal = shown.terminal;
  model.CursorVisible = false;
  shown.Frame();

  Put(model, std::string(10, '\xDB'), 1, 5, 1 + 16 * 15);  // blue blocks on white
  EXPECT_EQ(shown.Frame(), "\x1b[5H\x1b[34;44m          ");
  EXPECT_EQ(terminal.Cells[4][0].Background, 44);

  // A shade or half block in its own background colour is a blank too; in
  // two colours it keeps its glyph, which no blank can show.
  Put(model, "\xB1\xDC\xDF", 1, 6, 4 + 16 * 4);
  Put(model, "\xB1\xDC\xDD\xDE\xDF", 4, 6, 14 + 16 * 1);
  shown.Frame();
  EXPECT_EQ(terminal.RowText(6).substr(0, 3 + 5 * 3), "   \u2592\u2584\u258C\u2590\u2580");
  EXPECT_EQ(terminal.Cells[5][0].Background, 41);
  EXPECT_EQ(terminal.Cells[5][3].Foreground, 93);
  EXPECT_EQ(terminal.Cells[5][3].Background, 44);

  // The model keeps its bytes: a block that becomes a blank of the same
  // colour is written again, an unchanged block is not.
  EXPECT_EQ(shown.Frame(), "");
  Put(model, " ", 1, 5, 0 + 16 * 1);
  shown.Frame();
  EXPECT_EQ(terminal.Errors, "");
  EXPECT_EQ(terminal.Compare(model), "");
}

TEST(TerminalRenderTest, RandomChangesKeepTheTerminalInStep) {
  std::mt19937 random(1234);
  Presented shown;
  ScreenModel& model = shown.model;
  model.CursorVisible = false;
  for (int frame = 0; frame < 60; ++frame) {
    int changes = static_cast<int>(random() % 40);
    for (int i = 0; i < changes; ++i) {
      int row = static_cast<int>(random() % ScreenHeight);
      int column = static_cast<int>(random() % ScreenWidth);
      int length = static_cast<int>(random() % 12) + 1;
      unsigned char attr = static_cast<unsigned char>(random() % 4 == 0 ? random() % 256 : 7);
      for (int c = column; c < column + length && c < ScreenWidth; ++c) {
        model.Cells[row][c] = Cell{static_cast<unsigned char>(random() % 256), attr};
      }
    }
    if (frame == 30) shown.view.Valid = false;  // a full repaint in the middle
    shown.Frame();
    ASSERT_EQ(shown.terminal.Errors, "") << "frame " << frame;
    ASSERT_EQ(shown.terminal.Compare(model), "") << "frame " << frame;
  }
}

TEST(TerminalRenderTest, CursorFollowsTheModel) {
  Presented shown;
  ScreenModel& model = shown.model;
  VirtualTerminal& terminal = shown.terminal;
  model.CursorVisible = true;
  model.CursorColumn = 7;
  model.CursorRow = 3;
  terminal.CursorVisible = false;
  shown.Frame();
  EXPECT_TRUE(terminal.CursorVisible);
  EXPECT_EQ(terminal.Column, 7);
  EXPECT_EQ(terminal.Row, 3);

  Put(model, "ab", 70, 20, 7);  // drawing elsewhere brings the cursor back
  shown.Frame();
  EXPECT_EQ(terminal.Column, 7);
  EXPECT_EQ(terminal.Row, 3);

  model.CursorVisible = false;
  EXPECT_EQ(shown.Frame(), "\x1b[?25l");
  EXPECT_EQ(shown.Frame(), "");
}

TEST(TerminalRenderTest, SizeNoticeFitsTheTerminal) {
  std::string out;
  RenderSizeNotice(60, 20, out);
  VirtualTerminal terminal;
  terminal.Apply(out);
  EXPECT_EQ(terminal.Errors, "");
  std::string all;
  for (int row = 1; row <= 20; ++row) all += terminal.RowText(row);
  EXPECT_NE(all.find("too small"), std::string::npos);
  EXPECT_NE(all.find("80 x 25"), std::string::npos);
  EXPECT_NE(all.find("(now 60 x 20)"), std::string::npos);
  EXPECT_TRUE(terminal.RowText(21).find_first_not_of(' ') == std::string::npos);

  out.clear();
  RenderSizeNotice(12, 2, out);  // tiny: lines cut to the width, rows to the height
  VirtualTerminal tiny;
  tiny.Apply(out);
  EXPECT_EQ(tiny.Errors, "");
  EXPECT_EQ(tiny.RowText(1).substr(0, 12), "The terminal");
  EXPECT_EQ(tiny.RowText(1).substr(12).find_first_not_of(' '), std::string::npos);
  EXPECT_EQ(tiny.RowText(3).find_first_not_of(' '), std::string::npos);
}

}  // namespace
}  // namespace zeb
