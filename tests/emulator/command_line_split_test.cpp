// Splitting a command line into words by the Windows rules.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "emulator/processes.h"

namespace zeb {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
  EXPECT_EQ(SplitCommandLine(R"("mame.exe" astrobee -w  -c  )"), (Words{"mame.exe", "astrobee", "-w", "-c"}));
  EXPECT_EQ(SplitCommandLine("\"p\"\ta\t\t b"), (Words{"p", "a", "b"}));
  EXPECT_EQ(SplitCommandLine(R"("p" "a b" c"d e"f "")"), (Words{"p", "a b", "cd ef", ""}));
  EXPECT_EQ(SplitCommandLine(R"("p" "unterminated  quote)"), (Words{"p", "unterminated  quote"}));
  EXPECT_EQ(SplitCommandLine(R"("p" "a""b" """")"), (Words{"p", "a\"b", "\""}));
  EXPECT_EQ(SplitCommandLine(""), Words{});
  EXPECT_EQ(SplitCommandLine(R"("p")"), Words{"p"});
}

TEST(SplitCommandLine, BackslashesEscapeOnlyBeforeAQuote) {
  EXPECT_EQ(SplitCommandLine(R"("p" a\b a\\b dir\ C:\x\y)"), (Words{"p", R"(a\b)", R"(a\\b)", R"(dir\)", R"(C:\x\y)"}));
  EXPECT_EQ(SplitCommandLine(R"("p" a\"b a\\"b c" a\\\"b a\\\\"b")"),
            (Words{"p", R"(a"b)", R"(a\b c)", R"(a\"b)", R"(a\\b)"}));
  // The classic trap: a quoted path ending in a backslash swallows its quote.
  EXPECT_EQ(SplitCommandLine(R"("p" "C:\roms\" next)"), (Words{"p", R"(C:\roms" next)"}));
}

TEST(SplitCommandLine, ProgramNameKeepsItsBackslashesAndBlanks) {
  EXPECT_EQ(SplitCommandLine(R"("C:\emu dir\mame.exe" -cc)"), (Words{R"(C:\emu dir\mame.exe)", "-cc"}));
  EXPECT_EQ(SplitCommandLine(R"("dir\" x)"), (Words{R"(dir\)", "x"}));
}

TEST(SplitCommandLine, ShellCharactersAreOrdinaryBytes) {
  EXPECT_EQ(SplitCommandLine(R"("p" a;b $(rm -rf x) 'q r' `id` | > f & *)"),
            (Words{"p", "a;b", "$(rm", "-rf", "x)", "'q", "r'", "`id`", "|", ">", "f", "&", "*"}));
  EXPECT_EQ(SplitCommandLine("\"p\" \xE9t\xE9 \x01\x7F"), (Words{"p", "\xE9t\xE9", "\x01\x7F"}));
}

// The Windows launch quotes each word so that the split gives it back.
TEST(QuoteCommandWord, TheSplitReadsEachWordBack) {
  EXPECT_EQ(QuoteCommandWord("-rp"), "-rp");
  EXPECT_EQ(QuoteCommandWord("-rp", true), "\"-rp\"");
  EXPECT_EQ(QuoteCommandWord("C:\\roms dir\\"), "\"C:\\roms dir\\\\\"");
  const Words words = {"p", "", "a b", "tab\there", "say \"hi\"", "\\\"", "end\\", "\\\\server\\share"};
  for (bool always : {false, true}) {
    std::string line = "\"p\"";
    for (std::size_t i = 1; i < words.size(); ++i) line += " " + QuoteCommandWord(words[i], always);
    EXPECT_EQ(SplitCommandLine(line), words) << line;
  }
}

// The Windows launch's command line: each word as it is when it needs no
// quotes, with its blanks; and whatever the words hold, the split gives them
// back.
TEST(CommandLineOf, TheSplitGivesBackAnyWords) {
  EXPECT_EQ(CommandLineOf("mame.exe", {{"astrobee", 1}, {"-w", 2}, {"-c", 2}}), R"("mame.exe" astrobee -w  -c  )");
  EXPECT_EQ(CommandLineOf("mame.exe", {{"-rp", 1}, {"My Roms", 2}, {"", 2}}), R"("mame.exe" -rp "My Roms"  ""  )");
  EXPECT_EQ(CommandLineOf("mame.exe", {}), R"("mame.exe" )");

  std::mt19937 random(7);
  const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
  const std::string characters = "a \t\"\\;:-";
  for (int round = 0; round < 5000; ++round) {
    std::vector<CommandWord> words;
    Words expected{below(2) == 1 ? "mame.exe" : "C:\\emu dir\\mame.exe"};
    for (int count = below(6); count > 0; --count) {
      std::string text;
      for (int length = below(7); length > 0; --length) text += characters[static_cast<std::size_t>(below(8))];
      words.push_back(CommandWord{text, 1 + below(3)});
      expected.push_back(text);
    }
    const std::string line = CommandLineOf(expected[0], words);
    ASSERT_EQ(SplitCommandLine(line), expected) << line;
  }
}

// The runs whose output comes back to us: the first argument names the
// program, and the split gives every argument back.
TEST(ArgumentsCommandLine, TheSplitGivesBackEveryArgument) {
  EXPECT_EQ(ArgumentsCommandLine({"mame.exe", "-listxml"}, "C:\\emu\\mame.exe"), R"("mame.exe" -listxml)");
  EXPECT_EQ(ArgumentsCommandLine({}, "C:\\emu dir\\mame.exe"), R"("C:\emu dir\mame.exe")");
  const Words arguments = {"C:\\emu dir\\mame.exe", "-rompath", "My Roms;C:\\x\\", "", "say \"hi\""};
  EXPECT_EQ(SplitCommandLine(ArgumentsCommandLine(arguments, "mame.exe")), arguments);
}

}  // namespace
}  // namespace zeb
