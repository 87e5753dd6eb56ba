// The comparison of whole files and tables that the tests share: a
// difference anywhere in a large text is reported in a few lines.

#include "support/same_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zeb {
namespace {

using testing_support::SameLines;

std::string Table(int lines, const std::string& number) {
  std::string text;
  for (int line = 1; line <= lines; ++line) text += std::to_string(line) + ", " + number + "\r\n";
  return text;
}

TEST(SameLines, ATableThatDiffersEverywhereIsReportedByItsFirstLine) {
  EXPECT_TRUE(SameLines(Table(100000, "1.5"), Table(100000, "1.5")));
  ::testing::AssertionResult result = SameLines(Table(100000, "1.5"), Table(100000, "1,5"));
  ASSERT_FALSE(result);
  const std::string report = result.message();
  EXPECT_LT(report.size(), 400u) << report;
  EXPECT_NE(report.find("100000 of 100000 lines differ"), std::string::npos) << report;
  EXPECT_NE(report.find("line 1, from byte 5:\n  expected: \"1, 1.5\\r\"\n  actual:   \"1, 1,5\\r\""),
            std::string::npos)
      << report;
}

TEST(SameLines, ALongLineIsShownAroundItsFirstDifferenceAndMissingLinesAreNamed) {
  const std::string line(250, 'a');
  std::string changed = line;
  changed[200] = '\x1b';
  ::testing::AssertionResult result = SameLines("x\n" + line + "\n", "x\n" + changed + "\n");
  ASSERT_FALSE(result);
  std::string report = result.message();
  EXPECT_NE(report.find("1 of 2 lines differ"), std::string::npos) << report;
  EXPECT_NE(report.find("line 2, from byte 201:"), std::string::npos) << report;
  EXPECT_NE(report.find("...\"" + std::string(30, 'a') + "\\x1B" + std::string(29, 'a') + "\"..."), std::string::npos)
      << report;

  report = SameLines(std::vector<std::string>{"a", "b", "c"}, std::vector<std::string>{"a"}).message();
  EXPECT_NE(report.find("2 of 3 lines differ (expected 3 lines, got 1); the first is line 2"), std::string::npos)
      << report;
  EXPECT_NE(report.find("actual:   (no such line)"), std::string::npos) << report;
  EXPECT_FALSE(SameLines("a\nb\n", "a\nb"));
}

}  // namespace
}  // namespace zeb
