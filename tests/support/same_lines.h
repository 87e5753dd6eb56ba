#pragma once
// Comparing whole files, long texts and tables so that a failure stays
// small: it names the first line that differs (its number, both lines
// quoted visibly and cut to a window around the first differing byte) and
// how many lines differ, never the whole text. A table of a hundred
// thousand games that differs everywhere is a few lines of report.
//
//   EXPECT_TRUE(SameLines(CrLf(lines), ReadBytes("zeb.ini")));

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zeb::testing_support {

namespace same_lines_detail {

// How many bytes of a differing line the report shows.
inline constexpr std::size_t Window = 60;

// `line` from byte `from`, at most Window bytes of it, quoted with every
// byte outside printable ASCII (and the quote and backslash) as an escape:
// a CR shows as \r, so that a lost or doubled CR is seen.
inline std::string Quoted(std::string_view line, std::size_t from) {
  static const char Hex[] = "0123456789ABCDEF";
  std::string text = from > 0 ? "..." : "";
  text += '"';
  for (std::size_t i = from; i < line.size() && i < from + Window; ++i) {
    const unsigned char byte = static_cast<unsigned char>(line[i]);
    if (byte == '\r') {
      text += "\\r";
    } else if (byte == '"' || byte == '\\') {
      text += '\\';
      text += static_cast<char>(byte);
    } else if (byte < 0x20 || byte >= 0x7F) {
      text += "\\x";
      text += Hex[byte >> 4];
      text += Hex[byte & 15];
    } else {
      text += static_cast<char>(byte);
    }
  }
  text += '"';
  if (line.size() > from + Window) text += "...";
  return text;
}

inline ::testing::AssertionResult Compare(const std::vector<std::string_view>& expected,
                                          const std::vector<std::string_view>& actual) {
  const std::size_t common = std::min(expected.size(), actual.size());
  std::size_t first = common;
  std::size_t differing = std::max(expected.size(), actual.size()) - common;
  for (std::size_t i = 0; i < common; ++i) {
    if (expected[i] == actual[i]) continue;
    if (first == common) first = i;
    ++differing;
  }
  if (differing == 0) return ::testing::AssertionSuccess();

  const std::string_view none;
  const std::string_view want = first < expected.size() ? expected[first] : none;
  const std::string_view got = first < actual.size() ? actual[first] : none;
  std::size_t column = 0;
  while (column < want.size() && column < got.size() && want[column] == got[column]) ++column;
  const std::size_t from = column > Window / 2 ? column - Window / 2 : 0;

  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << differing << " of " << std::max(expected.size(), actual.size()) << " lines differ (expected "
          << expected.size() << " lines, got " << actual.size() << "); the first is line " << first + 1
          << ", from byte " << column + 1 << ":\n  expected: "
          << (first < expected.size() ? Quoted(want, from) : "(no such line)")
          << "\n  actual:   " << (first < actual.size() ? Quoted(got, from) : "(no such line)");
  return failure;
}

// The lines of `text`: each ends at LF, which is not part of it (a CR
// before it is); a last line without LF counts too.
inline std::vector<std::string_view> Split(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace same_lines_detail

// Two texts (whole files: bytes, line ends and all), line by line.
inline ::testing::AssertionResult SameLines(std::string_view expected, std::string_view actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  ::testing::AssertionResult result =
      same_lines_detail::Compare(same_lines_detail::Split(expected), same_lines_detail::Split(actual));
  // Equal lines, yet different texts: only the end of the last line (an LF)
  // tells them apart.
  if (result) return ::testing::AssertionFailure() << "the texts differ only in their last line end";
  return result;
}

// Two tables of lines (rows of a screen, lines of a file, fields).
inline ::testing::AssertionResult SameLines(const std::vector<std::string>& expected,
                                            const std::vector<std::string>& actual) {
  return same_lines_detail::Compare(std::vector<std::string_view>(expected.begin(), expected.end()),
                                    std::vector<std::string_view>(actual.begin(), actual.end()));
}

}  // namespace zeb::testing_support
