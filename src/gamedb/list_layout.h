#pragma once
// The column layout of the emulator's two lists. Their first line names
// the columns: "Name:", blanks, then the second heading. Where that heading
// starts, the second column starts on every line (column 11 of the game
// list and column 10 of the clone list in the classic layout, further right
// in later emulators). A first line of any other shape keeps the classic
// columns.

#include <cstddef>
#include <string_view>

namespace zeb {

struct ListLayout {
  std::size_t Column;  // 0-based start of the second column
  bool Named;          // the header named its columns
};

// The layout that a list's first line gives: `heading` is "Description:"
// or "Clone of:"; `fixedColumn` the classic 0-based column.
ListLayout ReadListLayout(std::string_view header, std::string_view heading, std::size_t fixedColumn);

// Where the second column starts on one line. A name too long for its
// column is followed by a single blank, and the second column follows it
// (the emulator writes such names so); `marker` is what the second column
// begins with on the line ('"' for descriptions, 0 when anything may).
std::size_t SecondColumn(const ListLayout& layout, std::string_view line, char marker);

}  // namespace zeb
