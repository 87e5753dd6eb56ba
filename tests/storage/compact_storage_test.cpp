// Texts that store only their bytes and tables that take memory as they are
// used: the rules hold across the inline and heap forms and across blocks.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "storage/fixed_table.h"
#include "storage/short_string.h"

namespace zeb {
namespace {

// `length` bytes that differ from one position to the next, NUL included.
std::string Pattern(std::size_t length, char first = 'a') {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(first + static_cast<char>(i % 53));
  if (length > 3) text[3] = '\0';
  return text;
}

const std::size_t Boundaries[] = {0,   1,   ShortString::InlineCapacity - 1, ShortString::InlineCapacity,
                                  ShortString::InlineCapacity + 1,           24,  25,  40, 41,
                                  254, 255, 256,                             300, 1000};

std::string Kept(const std::string& text) { return text.substr(0, ShortString::Capacity); }

TEST(ShortStringStorage, EveryLengthIsKeptUpTo255OnConstructionAssignAndAppend) {
  for (std::size_t length : Boundaries) {
    std::string text = Pattern(length);
    std::string kept = Kept(text);
    EXPECT_EQ(ShortString(std::string_view(text)).Str(), kept) << length;
    EXPECT_EQ(ShortString(text).Str(), kept) << length;

    // Assigned over texts of every form: empty, inline, heap (smaller and
    // larger blocks).
    for (std::size_t before : {std::size_t{0}, std::size_t{5}, std::size_t{30}, std::size_t{255}}) {
      ShortString s = Pattern(before, 'A');
      s = text;
      EXPECT_EQ(s.Str(), kept) << before << " then " << length;
      EXPECT_GE(s.BlockCapacity(), s.Length() > ShortString::InlineCapacity ? s.Length() : 0);
    }

    // Appended byte by byte and in pieces, from an empty and from a long text.
    ShortString bytes;
    for (char c : text) bytes.Append(c);
    EXPECT_EQ(bytes.Str(), kept) << length;
    ShortString pieces = "0123456789abcdefghij";
    pieces.Append(std::string_view(text).substr(0, length / 2)).Append(std::string_view(text).substr(length / 2));
    EXPECT_EQ(pieces.Str(), Kept("0123456789abcdefghij" + text)) << length;
  }
  const char* literal = "no more than fourteen? no: longer";
  EXPECT_EQ(ShortString(literal).Str(), literal);
}

TEST(ShortStringStorage, ShortTextsStayInlineAndLongOnesUseABlockOfTheirSizeClass) {
  EXPECT_EQ(sizeof(ShortString), 16u);
  ShortString s = Pattern(ShortString::InlineCapacity);
  EXPECT_EQ(s.BlockCapacity(), 0u);
  s.Append('x');
  EXPECT_EQ(s.BlockCapacity(), 24u);
  s = Pattern(25);
  EXPECT_EQ(s.BlockCapacity(), 40u);
  s = Pattern(255);
  EXPECT_EQ(s.BlockCapacity(), 255u);

  // A text that fits the block re-uses it.
  const char* block = s.Data();
  s = Pattern(30, 'B');
  EXPECT_EQ(s.Data(), block);
  EXPECT_EQ(s.Str(), Pattern(30, 'B'));
  // One that fits inline gives it back; a longer one gets a new block.
  s = "0";
  EXPECT_EQ(s.BlockCapacity(), 0u);
  EXPECT_EQ(s, "0");
  s.Clear();
  EXPECT_TRUE(s.Empty());
}

TEST(ShortStringStorage, PartsOfItselfAndItselfAssignSafely) {
  for (std::size_t length : {std::size_t{10}, std::size_t{40}, std::size_t{255}}) {
    std::string text = Pattern(length);
    ShortString s = text;
    ShortString& same = s;
    s = same;
    EXPECT_EQ(s.Str(), text);
    s = std::move(same);
    EXPECT_EQ(s.Str(), text) << "a text moved onto itself keeps its bytes";

    // The tail of a long text, short enough to go inline, and a long tail.
    s = s.View().substr(length - 5);
    EXPECT_EQ(s.Str(), text.substr(length - 5));
    s = text;
    s = s.View().substr(1);
    EXPECT_EQ(s.Str(), text.substr(1));

    // Appending itself, which makes the text move to a larger block.
    s = text;
    s.Append(s.View());
    EXPECT_EQ(s.Str(), Kept(text + text));
    s = text;
    s.Append(s.View().substr(2, 3));
    EXPECT_EQ(s.Str(), Kept(text + text.substr(2, 3)));
  }
}

TEST(ShortStringStorage, CopiesOwnTheirBytesAndMovesHandThemOver) {
  for (std::size_t length : {std::size_t{3}, std::size_t{100}}) {
    std::string text = Pattern(length);
    ShortString original = text;
    ShortString copy = original;
    copy[0] = '#';
    EXPECT_EQ(original.Str(), text);
    EXPECT_EQ(copy.View().substr(1), text.substr(1));
    copy = original;
    EXPECT_TRUE(copy == original);

    const char* bytes = original.Data();
    ShortString moved = std::move(original);
    EXPECT_EQ(moved.Str(), text);
    EXPECT_TRUE(original.Empty());  // NOLINT: the moved-from text is empty and usable
    if (length > ShortString::InlineCapacity) {
      EXPECT_EQ(moved.Data(), bytes);
    }
    original = "again";
    EXPECT_EQ(original, "again");

    // A move onto a text with a block of its own gives that block back (the
    // leak check of the sanitizer build sees it otherwise).
    ShortString target = Pattern(200, 'C');
    target = std::move(moved);
    EXPECT_EQ(target.Str(), text);
    target = ShortString(Pattern(60));
    EXPECT_EQ(target.Str(), Pattern(60));
  }
}

TEST(ShortStringStorage, ComparisonSeesEveryByteInBothForms) {
  std::string text = Pattern(60);
  ShortString a = text;
  ShortString b = text;
  EXPECT_TRUE(a == b);
  b[59] = static_cast<char>(b[59] + 1);
  EXPECT_FALSE(a == b);
  EXPECT_FALSE(a == std::string_view(text).substr(0, 59));
  EXPECT_FALSE(ShortString("abc") == ShortString(std::string_view("abc\0", 4)));
}

TEST(FixedTableStorage, RecordsNeverUsedReadEmptyAndCostNothingUntilUsed) {
  static FixedTable<ShortString, 3000> table;
  table.Clear();
  EXPECT_EQ(table.Used(), 0);
  const auto& reader = table;
  EXPECT_TRUE(reader[2999].Empty());
  EXPECT_EQ(table.Used(), 0) << "reading takes nothing";

  table[1] = "first";
  ShortString& first = table[1];
  table[2500] = Pattern(80);
  table[3000] = "last";
  EXPECT_EQ(table.Used(), 3000);
  EXPECT_EQ(&first, &table[1]) << "records stay where they are";
  EXPECT_EQ(first, "first");
  EXPECT_EQ(table[2500].Str(), Pattern(80));
  for (int i : {2, 1024, 1025, 2048, 2499, 2501, 2999}) EXPECT_TRUE(table[i].Empty()) << i;

  table.Clear();
  EXPECT_EQ(table.Used(), 0);
  for (int i : {1, 2500, 3000}) EXPECT_TRUE(reader[i].Empty()) << i;
}

TEST(FixedTableStorageDeathTest, AnIndexOutsideTheCapacityStopsTheProgram) {
  static FixedTable<ShortString, 3000> table;
  EXPECT_EXIT(table[3001] = "x", testing::ExitedWithCode(1), "table index 3001");
  EXPECT_EXIT((void)std::as_const(table)[-1], testing::ExitedWithCode(1), "table index -1");
}

}  // namespace
}  // namespace zeb
