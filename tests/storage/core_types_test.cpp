#include <gtest/gtest.h>

#include <string>

#include "storage/short_string.h"
#include "storage/state.h"
#include "storage/visible_text.h"

namespace zeb {
namespace {

TEST(ShortString, KeepsTheFirst255BytesOnAssignAndAppend) {
  std::string longText(300, 'x');
  longText[254] = 'L';
  ShortString s = longText;
  EXPECT_EQ(s.Length(), 255u);
  EXPECT_EQ(s[254], 'L');

  ShortString t(std::string(250, 'a'));
  t.Append("bcdefghij");
  EXPECT_EQ(t.Length(), 255u);
  EXPECT_EQ(t.View().substr(250), "bcdef");
  t.Append('z');
  EXPECT_EQ(t.Length(), 255u);
}

// Texts quoted in messages: nothing in them can reach the terminal as a
// control character.
TEST(VisibleText, ShowsControlBytesAndBytesAbove126AsHex) {
  EXPECT_EQ(VisibleText("D:\\MAME\\roms"), "D:\\MAME\\roms");  // paths keep their backslashes
  EXPECT_EQ(VisibleText(std::string_view("\x1b[?25l\0\x7f\x80\xff~ ", 12)), "\\x1B[?25l\\x00\\x7F\\x80\\xFF~ ");
  std::string every;
  for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
  for (char c : VisibleText(every)) EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << static_cast<int>(c);
}

TEST(ShortString, ComparesExactlyAndCaseSensitively) {
  EXPECT_TRUE(ShortString("abc") == "abc");
  EXPECT_FALSE(ShortString("abc") == "ABC");
  EXPECT_FALSE(ShortString("abc") == "abc ");
  EXPECT_TRUE(ShortString(std::string_view("a\0b", 3)) == std::string_view("a\0b", 3));
}

TEST(ShortString, AssigningAPartOfItselfIsSafe) {
  ShortString s = "driver    description";
  s = s.View().substr(10);
  EXPECT_EQ(s, "description");
}

TEST(ProgramState, ResetEmptiesTablesAndAccessorsReadThem) {
  ResetProgramState();
  Games[3].CheatCount = "12";
  ViewList[2].GameNumber = "3";
  GameCount = 7;
  EXPECT_EQ(GameNumberOf(2), 3);
  EXPECT_EQ(GameField(3, 6), "12");
  GameField(3, 1) = "abc";
  EXPECT_EQ(Games[3].DriverName, "abc");

  ResetProgramState();
  EXPECT_EQ(GameCount, 0);
  EXPECT_TRUE(Games[3].CheatCount.Empty());
  EXPECT_EQ(GameNumberOf(2), 0);
}

TEST(ProgramState, NumberTexts) {
  EXPECT_EQ(IntText(-12), "-12");
  EXPECT_EQ(IntText(0), "0");
  EXPECT_EQ(TextToInt("1200"), 1200);
  EXPECT_EQ(TextToInt("-5"), -5);
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("12a"), 0);
}

TEST(ProgramStateDeathTest, AnIndexOutsideATableStopsTheProgram) {
  EXPECT_EXIT(Games[MaxGames + 1].DriverName = "x", testing::ExitedWithCode(1), "table index 100001");
  EXPECT_EXIT(ViewList[0].DisplayLine = "x", testing::ExitedWithCode(1), "table index 0");
}

}  // namespace
}  // namespace zeb
