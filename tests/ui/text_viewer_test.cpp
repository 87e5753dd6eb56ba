#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/scripted_backend.h"
#include "support/program_test.h"
#include "support/temp_dir.h"
#include "ui/main_loop.h"
#include "ui/text_viewer.h"

namespace zeb {
namespace {

using testing_support::TempDir;
using testing_support::WriteBytes;

// "line 1" to "line n", each ended by CR LF.
std::string NumberedLines(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

std::string Padded(std::string text) {
  text.resize(60, ' ');
  return text;
}

const std::string BlankRow(60, ' ');

class TextViewerTest : public testing_support::ProgramTest<> {
 protected:
  void Load(std::string_view name) { LoadTextFile(viewer, name); }
  // The page with `top` lines above the window and `left` columns hidden.
  void DrawPage(int top, int left) {
    viewer.Window.TopLine = top;
    viewer.Window.ColumnOffset = left;
    DrawTextPage(console, viewer);
  }
  // Page row r is screen row r + 3, columns 2 to 61.
  std::string PageRow(int r) const { return TextAt(2, r + 3, 60); }

  TempDir dir;
};

TEST_F(TextViewerTest, EmptyFileGivesOneEntryAndABlankWhitePage) {
  WriteBytes("empty.txt", "");
  viewer.Window.TopLine = 7;
  viewer.Window.ColumnOffset = 3;
  Load("empty.txt");
  EXPECT_EQ(viewer.Window.EntryCount, 1);
  EXPECT_EQ(viewer.Window.TopLine, 0);
  EXPECT_EQ(viewer.Window.ColumnOffset, 0);
  EXPECT_TRUE(viewer.FileLoaded);
  EXPECT_TRUE(std::filesystem::remove("empty.txt")) << "the file is let go";
  DrawTextPage(console, viewer);
  for (int r = 1; r <= 21; ++r) EXPECT_EQ(PageRow(r), BlankRow) << r;
  EXPECT_EQ(AttrAt(2, 4), 15);
  EXPECT_EQ(AttrAt(61, 24), 15);
  EXPECT_EQ(AttrAt(62, 4), 7) << "the page ends at column 61";
}

TEST_F(TextViewerTest, TheLastPageEndsWithOneBlankRow) {
  WriteBytes("short.txt", NumberedLines(21));
  Load("short.txt");
  EXPECT_EQ(viewer.Window.EntryCount, 22);
  DrawPage(viewer.Window.EntryCount - 21, 0);
  EXPECT_EQ(PageRow(1), Padded("line 2"));
  EXPECT_EQ(PageRow(20), Padded("line 21"));
  EXPECT_EQ(PageRow(21), BlankRow);

  WriteBytes("long.txt", NumberedLines(100));
  Load("long.txt");
  EXPECT_EQ(viewer.Window.EntryCount, 101);
  DrawPage(80, 0);
  EXPECT_EQ(PageRow(1), Padded("line 81"));
  EXPECT_EQ(PageRow(20), Padded("line 100"));
  EXPECT_EQ(PageRow(21), BlankRow);
}

TEST_F(TextViewerTest, LongLinesAreCutAt255AndShiftedByTheColumnOffset) {
  std::string longLine;
  for (int i = 0; i < 300; ++i) longLine += static_cast<char>('A' + (i / 10) % 26);
  WriteBytes("wide.txt", longLine + "\r\na\tb\x01z\r\n");
  Load("wide.txt");
  EXPECT_EQ(viewer.Window.EntryCount, 3);
  EXPECT_EQ(viewer.ViewerLines[1].Str(), longLine.substr(0, 255));
  DrawPage(0, 60);
  EXPECT_EQ(PageRow(1), longLine.substr(60, 60));
  DrawPage(0, 250);
  EXPECT_EQ(PageRow(1), Padded(longLine.substr(250, 5)));
  DrawPage(0, 255);
  EXPECT_EQ(PageRow(1), BlankRow);
  // Control bytes take one cell each: the tab is byte 9 in its cell.
  DrawPage(0, 0);
  EXPECT_EQ(PageRow(2), Padded("a\tb\x01z"));
}

TEST_F(TextViewerTest, ASecondFileEmptiesTheStoreAndGoesBackToTheTop) {
  WriteBytes("first.txt", NumberedLines(100));
  WriteBytes("second.txt", NumberedLines(5));
  Load("first.txt");
  viewer.Window.TopLine = 50;
  viewer.Window.ColumnOffset = 10;
  Load("second.txt");
  EXPECT_EQ(viewer.Window.EntryCount, 6);
  EXPECT_EQ(viewer.Window.TopLine, 0);
  EXPECT_EQ(viewer.Window.ColumnOffset, 0);
  EXPECT_EQ(viewer.ViewerLines[5], "line 5");
  EXPECT_EQ(viewer.ViewerLines[50], "");
}

// For a moment the notice stands over the window as it was; then the
// window shows the emptied store, with the scroll state of before.
TEST_F(TextViewerTest, MissingFileShowsItsMessageAndKeepsTheScrollState) {
  WriteBytes("first.txt", NumberedLines(100));
  ASSERT_EQ(ViewFile(viewer, "first.txt").Then, Task::None);
  viewer.Window.TopLine = 40;
  viewer.Window.ColumnOffset = 2;
  std::filesystem::create_directory("folder.txt");
  for (const char* name : {"nothere.txt", "folder.txt"}) {
    backend.Pauses.clear();
    const Outcome outcome = ViewFile(viewer, name);
    EXPECT_EQ(outcome.Then, Task::FileMissing) << name;
    DrawViewerBody(console, viewer);
    EXPECT_EQ(TextAt(24, 15, 19), "File Not Available!") << name;
    EXPECT_EQ(AttrAt(42, 15), 15 + 16 * 4);
    EXPECT_EQ(TextAt(2, 4, 10), std::string(name) == "nothere.txt" ? "ne 41     " : BlankRow.substr(0, 10));
    RunTask(session, outcome.Then);
    EXPECT_EQ(backend.Pauses, std::vector<int>{500}) << name;
    EXPECT_EQ(viewer.Window.TopLine, 40);
    EXPECT_EQ(viewer.Window.ColumnOffset, 2);
    EXPECT_EQ(viewer.Window.EntryCount, 101);
    EXPECT_TRUE(viewer.FileLoaded);
    EXPECT_TRUE(viewer.PageShown);
    EXPECT_EQ(viewer.ViewerLines[1], "") << "the store is emptied";
    DrawViewerBody(console, viewer);
    EXPECT_EQ(PageRow(12), BlankRow) << "the notice is gone";
  }
}

TEST_F(TextViewerTest, AFileOfMoreThan5000LinesKeepsTheFirst5000) {
  WriteBytes("huge.txt", NumberedLines(6000));
  Load("huge.txt");
  EXPECT_EQ(viewer.Window.EntryCount, 5001);
  DrawPage(viewer.Window.EntryCount - 21, 0);
  EXPECT_EQ(PageRow(20), Padded("line 5000"));
  EXPECT_EQ(PageRow(21), BlankRow);
  EXPECT_TRUE(std::filesystem::remove("huge.txt")) << "the file is let go";
}

}  // namespace
}  // namespace zeb
