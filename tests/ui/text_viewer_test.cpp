#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/scripted_backend.h"
#include "core/state.h"
#include "core/work_file.h"
#include "support/temp_dir.h"
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

// Screen row r + 3 shows page row r, columns 2 to 61.
std::string PageRow(int r) { return TextAt(2, r + 3, 60); }

class TextViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    ConsoleUseBackend(&backend);
  }
  void TearDown() override { ConsoleUseBackend(nullptr); }

  TempDir dir;
  ScriptedBackend backend;
};

TEST_F(TextViewerTest, EmptyFileGivesOneEntryAndABlankPage) {
  WriteBytes("empty.txt", "");
  TopLine = 7;
  ColumnOffset = 3;
  LoadTextFile("empty.txt");
  EXPECT_EQ(EntryCount, 1);
  EXPECT_EQ(TopLine, 0);
  EXPECT_EQ(ColumnOffset, 0);
  EXPECT_EQ(FileLoaded, 1);
  DrawTextPage(TopLine, ColumnOffset);
  for (int r = 1; r <= 21; ++r) {
    EXPECT_EQ(PageRow(r), std::string(60, ' ')) << r;
    EXPECT_EQ(ForegroundAt(2, r + 3), 15);
    EXPECT_EQ(BackgroundAt(61, r + 3), 0);
  }
  EXPECT_EQ(AttrAt(62, 4), 7) << "the page ends at column 61";
  EXPECT_TRUE(backend.Pauses.empty());
}

TEST_F(TextViewerTest, TwentyOneLinesScrollByOneWithABlankLastRow) {
  WriteBytes("short.txt", NumberedLines(21));
  LoadTextFile("short.txt");
  EXPECT_EQ(EntryCount, 22);
  DrawTextPage(0, 0);
  EXPECT_EQ(PageRow(1), Padded("line 1"));
  EXPECT_EQ(PageRow(21), Padded("line 21"));
  DrawTextPage(1, 0);
  EXPECT_EQ(PageRow(1), Padded("line 2"));
  EXPECT_EQ(PageRow(20), Padded("line 21"));
  EXPECT_EQ(PageRow(21), std::string(60, ' '));
}

TEST_F(TextViewerTest, HundredLinesAtTheEndShowTheLastTwentyAndABlankRow) {
  WriteBytes("long.txt", NumberedLines(100));
  LoadTextFile("long.txt");
  EXPECT_EQ(EntryCount, 101);
  DrawTextPage(80, 0);
  EXPECT_EQ(PageRow(1), Padded("line 81"));
  EXPECT_EQ(PageRow(20), Padded("line 100"));
  EXPECT_EQ(PageRow(21), std::string(60, ' '));
}

TEST_F(TextViewerTest, LongLinesAreCutAt255AndShiftedByTheColumnOffset) {
  std::string longLine;
  for (int i = 0; i < 300; ++i) longLine += static_cast<char>('A' + (i / 10) % 26);
  WriteBytes("wide.txt", longLine + "\r\nnext\r\n");
  LoadTextFile("wide.txt");
  EXPECT_EQ(EntryCount, 3);
  EXPECT_EQ(ViewerLines[1].Str(), longLine.substr(0, 255));
  EXPECT_EQ(ViewerLines[2], "next") << "the rest of the long line is skipped";

  DrawTextPage(0, 60);
  EXPECT_EQ(PageRow(1), longLine.substr(60, 60));
  EXPECT_EQ(PageRow(2), std::string(60, ' '));
  DrawTextPage(0, 250);
  EXPECT_EQ(PageRow(1), Padded(longLine.substr(250, 5)));
  DrawTextPage(0, 255);
  EXPECT_EQ(PageRow(1), std::string(60, ' '));
  DrawTextPage(0, -4);
  EXPECT_EQ(PageRow(1), longLine.substr(0, 60)) << "a negative offset hides nothing";
}

TEST_F(TextViewerTest, ControlBytesTakeOneCellEach) {
  WriteBytes("tabs.txt", std::string("a\tb\x01z\r\n", 7));
  LoadTextFile("tabs.txt");
  DrawTextPage(0, 0);
  EXPECT_EQ(PageRow(1), Padded(std::string("a\tb\x01z", 5)));
  EXPECT_EQ(Screen.Cells[3][2].Char, 9);
}

TEST_F(TextViewerTest, ASecondFileEmptiesTheStoreAndGoesBackToTheTop) {
  WriteBytes("first.txt", NumberedLines(100));
  WriteBytes("second.txt", NumberedLines(5));
  LoadTextFile("first.txt");
  TopLine = 50;
  ColumnOffset = 10;
  LoadTextFile("second.txt");
  EXPECT_EQ(EntryCount, 6);
  EXPECT_EQ(TopLine, 0);
  EXPECT_EQ(ColumnOffset, 0);
  EXPECT_EQ(ViewerLines[5], "line 5");
  EXPECT_EQ(ViewerLines[6], "");
  EXPECT_EQ(ViewerLines[50], "");
}

TEST_F(TextViewerTest, MissingFileShowsItsMessageAndKeepsTheScrollState) {
  WriteBytes("first.txt", NumberedLines(100));
  LoadTextFile("first.txt");
  TopLine = 40;
  ColumnOffset = 12;
  std::filesystem::create_directory("folder.txt");

  for (const char* name : {"nothere.txt", "folder.txt"}) {
    backend.Pauses.clear();
    LoadTextFile(name);
    EXPECT_EQ(TextAt(24, 15, 19), "File Not Available!") << name;
    EXPECT_EQ(ForegroundAt(24, 15), 15);
    EXPECT_EQ(BackgroundAt(42, 15), 4);
    EXPECT_EQ(backend.Pauses, std::vector<int>{500}) << name;
    EXPECT_EQ(TopLine, 40);
    EXPECT_EQ(ColumnOffset, 12);
    EXPECT_EQ(EntryCount, 101);
    EXPECT_EQ(FileLoaded, 1);
    EXPECT_EQ(ViewerLines[1], "") << "the store is emptied first";
  }
  // The page drawn next is blank over the old scroll position.
  DrawTextPage(TopLine, ColumnOffset);
  EXPECT_EQ(PageRow(12), std::string(60, ' '));
}

TEST_F(TextViewerTest, MissingFileBeforeAnyLoadLeavesTheViewerUnloaded) {
  LoadTextFile("readme.txt");
  EXPECT_EQ(FileLoaded, 0);
  EXPECT_EQ(EntryCount, 0);
}

TEST_F(TextViewerTest, AFileOfMoreThan5000LinesKeepsTheFirst5000) {
  WriteBytes("huge.txt", NumberedLines(6000));
  LoadTextFile("huge.txt");
  EXPECT_EQ(EntryCount, 5001);
  EXPECT_EQ(ViewerLines[5000], "line 5000");
  DrawTextPage(EntryCount - 21, 0);
  EXPECT_EQ(PageRow(20), Padded("line 5000"));
  EXPECT_EQ(PageRow(21), std::string(60, ' '));
  EXPECT_FALSE(WorkFile.IsOpen()) << "the file is closed after loading";
}

}  // namespace
}  // namespace zeb
