#include <gtest/gtest.h>

#include <string>

#include "settings/game_table.h"
#include "storage/crc32.h"
#include "storage/numbers.h"
#include "storage/short_string.h"
#include "storage/visible_text.h"
#include "ui/session.h"

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

// The records of a run start empty; a game's fields go by their number.
TEST(GameTableRecords, FreshRecordsAreEmptyAndFieldsGoByNumber) {
  GameTable table;
  GamesList list;
  EXPECT_EQ(table.GameCount, 0);
  EXPECT_TRUE(table.Games[3].CheatCount.Empty());
  EXPECT_EQ(list.ViewList[2].GameNumber, 0);

  table.Games[3].CheatCount = "12";
  EXPECT_EQ(GameField(table.Games[3], 6), "12");
  GameField(table.Games[3], 1) = "abc";
  EXPECT_EQ(table.Games[3].DriverName, "abc");
}

TEST(Numbers, NumberTexts) {
  EXPECT_EQ(IntText(-12), "-12");
  EXPECT_EQ(IntText(0), "0");
  EXPECT_EQ(TextToInt("1200"), 1200);
  EXPECT_EQ(TextToInt("-5"), -5);
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("12a"), 0);
}

TEST(GameTableRecordsDeathTest, AnIndexOutsideATableStopsTheProgram) {
  GameTable table;
  GamesList list;
  EXPECT_EXIT(table.Games[MaxGames + 1].DriverName = "x", testing::ExitedWithCode(1), "table index 100001");
  EXPECT_EXIT(list.ViewList[0].GameNumber = 1, testing::ExitedWithCode(1), "table index 0");
}

}  // namespace
}  // namespace zeb

namespace zeb {
namespace {

// The check value of the polynomial, and a CRC continued over two pieces
// equals the CRC of the whole.
TEST(Crc32, GivesTheValuesZipArchivesRecord) {
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  EXPECT_EQ(Crc32("6789", Crc32("12345")), 0xCBF43926u);
  EXPECT_EQ(Crc32(std::string_view("\0\xFF", 2)), Crc32(std::string("\0\xFF", 2)));
}

}  // namespace
}  // namespace zeb
