#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "storage/file_system.h"
#include "storage/work_file.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

std::vector<std::string> ReadAll(const std::string& name) {
  std::vector<std::string> lines;
  TextFile file;
  file.OpenRead(name);
  while (!file.Eof()) lines.emplace_back(file.ReadLine());
  file.Close();
  return lines;
}

TEST(TextFile, LineEndsAreCrLfOrCrLf) {
  TempDir dir;
  WriteBytes("mixed.txt", "one\r\ntwo\nthree\rfour\r\n\r\nsix");
  EXPECT_EQ(ReadAll("mixed.txt"), (std::vector<std::string>{"one", "two", "three", "four", "", "six"}));
  WriteBytes("cr-at-end.txt", "a\r");
  EXPECT_EQ(ReadAll("cr-at-end.txt"), (std::vector<std::string>{"a"}));
  WriteBytes("empty.txt", "");
  EXPECT_TRUE(ReadAll("empty.txt").empty());
}

// The reader takes the file 64 KiB at a time: a line, its CR LF or the end
// mark may fall on either side of a refill.
TEST(TextFile, LinesThatStraddleARefillReadWhole) {
  TempDir dir;
  constexpr std::size_t Refill = 1 << 16;
  for (std::size_t shift = 0; shift <= 13; ++shift) {
    // Enough after the refill that it replaces the whole buffer.
    std::vector<std::string> expected{std::string(255, 'p'), "abcdefghij", "next"};
    std::string bytes(Refill - shift - 2, 'p');
    bytes += "\r\nabcdefghij\r\nnext\r\n";
    for (int line = 0; line < 300; ++line) {
      expected.push_back(std::string(250, static_cast<char>('A' + line % 26)));
      bytes += expected.back() + "\r\n";
    }
    WriteBytes("straddle.txt", bytes + "end\x1A\r\nafter the mark\r\n");
    expected.push_back("end");
    EXPECT_EQ(ReadAll("straddle.txt"), expected) << shift;
  }
}

// A line is handed out where it lies when it lies whole in the buffer with
// the byte after its end; else it is gathered over the refill. Each text
// below is placed so that its byte `last` is the buffer's last.
TEST(TextFile, LineEndsLongLinesAndTheMarkOnEitherSideOfTheBuffersEnd) {
  TempDir dir;
  constexpr std::size_t Refill = 1 << 16;
  std::string long300;
  for (int i = 0; i < 300; ++i) long300 += static_cast<char>('!' + i % 90);
  const std::string long255 = long300.substr(0, 255);
  const struct {
    std::string Text;
    std::size_t Last;
    std::vector<std::string> Lines;
  } cases[] = {
      {"ab\r\ncd\r\n", 2, {"ab", "cd"}},  // CR LF split by the refill
      {"ab\rcd\r\n", 2, {"ab", "cd"}},     // a CR as the last byte, a line after it
      {"ab\r\x1A" "cd\r\n", 2, {"ab"}},    // the mark right after a CR: after the refill,
      {"ab\r\x1A" "cd\r\n", 3, {"ab"}},    // as the last byte,
      {"ab\r\x1A" "cd\r\n", 9, {"ab"}},    // inside the buffer
      // More than 255 bytes: inside the buffer, and cut by the refill
      // before, at and after the 255th byte, and right before its CR LF.
      {long300 + "\r\nnext\r\n", 308, {long255, "next"}},
      {long300 + "\r\nnext\r\n", 100, {long255, "next"}},
      {long300 + "\r\nnext\r\n", 254, {long255, "next"}},
      {long300 + "\r\nnext\r\n", 255, {long255, "next"}},
      {long300 + "\r\nnext\r\n", 299, {long255, "next"}},
      {long300 + "\r\nnext\r\n", 300, {long255, "next"}},
  };
  for (const auto& c : cases) {
    WriteBytes("refill.txt", std::string(Refill - 2 - (c.Last + 1), 'p') + "\r\n" + c.Text);
    std::vector<std::string> expected{std::string(255, 'p')};
    expected.insert(expected.end(), c.Lines.begin(), c.Lines.end());
    EXPECT_EQ(ReadAll("refill.txt"), expected) << "case " << &c - cases;
  }
}

TEST(TextFile, EndMarkEndsTheFile) {
  TempDir dir;
  WriteBytes("marked.txt", std::string("one\r\ntw\x1Ao\r\nthree\r\n"));
  EXPECT_EQ(ReadAll("marked.txt"), (std::vector<std::string>{"one", "tw"}));
  WriteBytes("only-mark.txt", "a\n\x1A");
  EXPECT_EQ(ReadAll("only-mark.txt"), (std::vector<std::string>{"a"}));
}

TEST(TextFile, LongLinesKeepTheirFirst255BytesAndSkipTheRest) {
  TempDir dir;
  std::string line(300, 'b');
  line.replace(0, 3, "abc");
  WriteBytes("long.txt", line + "\r\nnext\r\n");
  auto lines = ReadAll("long.txt");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], line.substr(0, 255));
  EXPECT_EQ(lines[1], "next");
}

TEST(TextFile, ReadingAtTheEndGivesEmptyLinesAndBinaryBytesPassThrough) {
  TempDir dir;
  WriteBytes("bin.txt", std::string("\x01\x1B[31m\xFF\x00z", 8));
  TextFile file;
  file.OpenRead("bin.txt");
  EXPECT_EQ(file.ReadLine(), std::string("\x01\x1B[31m\xFF\x00z", 8));
  EXPECT_TRUE(file.Eof());
  EXPECT_TRUE(file.ReadLine().empty());
  EXPECT_TRUE(file.ReadLine().empty());
  file.Close();
}

TEST(TextFile, WritesCrLfLines) {
  TempDir dir;
  TextFile file;
  file.Create("out.txt");
  file.WriteLine("first");
  file.WriteLine("");
  file.WriteLine("third");
  file.Close();
  EXPECT_EQ(ReadBytes("out.txt"), "first\r\n\r\nthird\r\n");
}

TEST(TextFileDeathTest, AMissingFileIsAClearError) {
  TempDir dir;
  TextFile file;
  EXPECT_EXIT(file.OpenRead("nothere.txt"), testing::ExitedWithCode(1), "zeb: cannot open 'nothere.txt'");
}

TEST(FileSystem, ExistsMeansAnEntryThatIsNotADirectory) {
  TempDir dir;
  std::filesystem::create_directories("roms/abc.zip");
  WriteBytes("roms/def.zip", "");
  EXPECT_FALSE(FileExists("roms\\abc.zip"));
  EXPECT_TRUE(FileExists("roms\\def.zip"));
  EXPECT_TRUE(FileExists("roms/def.zip"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(DeleteFile("roms\\def.zip"));
  EXPECT_FALSE(DeleteFile("roms\\def.zip"));
}

TEST(FileSystem, RemovesOnlyEmptyDirectories) {
  TempDir dir;
  std::filesystem::create_directories("empty");
  std::filesystem::create_directories("full");
  WriteBytes("full/x", "");
  EXPECT_TRUE(RemoveEmptyDirectory("empty"));
  EXPECT_FALSE(RemoveEmptyDirectory("full"));
  EXPECT_TRUE(std::filesystem::is_directory("full"));
  EXPECT_FALSE(std::filesystem::exists("empty"));
}

TEST(FileSystem, ChangesTheCurrentDirectory) {
  TempDir dir;
  std::filesystem::create_directories("sub dir");
  std::string old = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir("sub dir\\"));
  EXPECT_EQ(GetCurrentDir(), (std::filesystem::path(old) / "sub dir").string());
  EXPECT_TRUE(SetCurrentDir(old));
  EXPECT_FALSE(SetCurrentDir("missing"));
}

}  // namespace
}  // namespace zeb
