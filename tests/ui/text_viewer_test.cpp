#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/scripted_backend.h"
#include "storage/state.h"
#include "storage/work_file.h"
#include "support/program_test.h"
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

const std::string BlankRow(60, ' ');

// Page row r is screen row r + 3, columns 2 to 61.
std::string PageRow(int r) { return TextAt(2, r + 3, 60); }

class TextViewerTest : public testing_support::ProgramTest<> {
 protected:

  TempDir dir;
};

TEST_F(TextViewerTest, EmptyFileGivesOneEntryAndABlankWhitePage) {
  WriteBytes("empty.txt", "");
  TopLine = 7;
  ColumnOffset = 3;
  LoadTextFile("empty.txt");
  EXPECT_EQ(EntryCount, 1);
  EXPECT_EQ(TopLine, 0);
  EXPECT_EQ(ColumnOffset, 0);
  EXPECT_EQ(FileLoaded, 1);
  EXPECT_FALSE(WorkFile.IsOpen());
  DrawTextPage(TopLine, ColumnOffset);
  for (int r = 1; r <= 21; ++r) EXPECT_EQ(PageRow(r), BlankRow) << r;
  EXPECT_EQ(AttrAt(2, 4), 15);
  EXPECT_EQ(AttrAt(61, 24), 15);
  EXPECT_EQ(AttrAt(62, 4), 7) << "the page ends at column 61";
}

TEST_F(TextViewerTest, TheLastPageEndsWithOneBlankRow) {
  WriteBytes("short.txt", NumberedLines(21));
  LoadTextFile("short.txt");
  EXPECT_EQ(EntryCount, 22);
  DrawTextPage(EntryCount - 21, 0);
  EXPECT_EQ(PageRow(1), Padded("line 2"));
  EXPECT_EQ(PageRow(20), Padded("line 21"));
  EXPECT_EQ(PageRow(21), BlankRow);

  WriteBytes("long.txt", NumberedLines(100));
  LoadTextFile("long.txt");
  EXPECT_EQ(EntryCount, 101);
  DrawTextPage(80, 0);
  EXPECT_EQ(PageRow(1), Padded("line 81"));
  EXPECT_EQ(PageRow(20), Padded("line 100"));
  EXPECT_EQ(PageRow(21), BlankRow);
}

TEST_F(TextViewerTest, LongLinesAreCutAt255AndShiftedByTheColumnOffset) {
  std::string longLine;
  for (int i = 0; i < 300; ++i) longLine += static_cast<char>('A' + (i / 10) % 26);
  WriteBytes("wide.txt", longLine + "\r\na\tb\x01z\r\n");
  LoadTextFile("wide.txt");
  EXPECT_EQ(EntryCount, 3);
  EXPECT_EQ(ViewerLines[1].Str(), longLine.substr(0, 255));
  DrawTextPage(0, 60);
  EXPECT_EQ(PageRow(1), longLine.substr(60, 60));
  DrawTextPage(0, 250);
  EXPECT_EQ(PageRow(1), Padded(longLine.substr(250, 5)));
  DrawTextPage(0, 255);
  EXPECT_EQ(PageRow(1), BlankRow);
  // Control bytes take one cell each: the tab is byte 9 in its cell.
  DrawTextPage(0, 0);
  EXPECT_EQ(PageRow(2), Padded("a\tb\x01z"));
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
    EXPECT_EQ(AttrAt(42, 15), 15 + 16 * 4);
    EXPECT_EQ(backend.Pauses, std::vector<int>{500}) << name;
    EXPECT_EQ(TopLine, 40);
    EXPECT_EQ(ColumnOffset, 12);
    EXPECT_EQ(EntryCount, 101);
    EXPECT_EQ(FileLoaded, 1);
    EXPECT_EQ(ViewerLines[1], "") << "the store is emptied first";
  }
}

TEST_F(TextViewerTest, AFileOfMoreThan5000LinesKeepsTheFirst5000) {
  WriteBytes("huge.txt", NumberedLines(6000));
  LoadTextFile("huge.txt");
  EXPECT_EQ(EntryCount, 5001);
  DrawTextPage(EntryCount - 21, 0);
  EXPECT_EQ(PageRow(20), Padded("line 5000"));
  EXPECT_EQ(PageRow(21), BlankRow);
  EXPECT_FALSE(WorkFile.IsOpen());
}

}  // namespace
}  // namespace zeb
