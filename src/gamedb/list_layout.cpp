#include "gamedb/list_layout.h"

namespace zeb {

ListLayout ReadListLayout(std::string_view header, std::string_view heading, std::size_t fixedColumn) {
  constexpr std::string_view First = "Name:";
  if (!header.starts_with(First) || !header.ends_with(heading)) return {fixedColumn, false};
  std::size_t column = header.size() - heading.size();
  if (column <= First.size()) return {fixedColumn, false};
  for (std::size_t i = First.size(); i < column; ++i) {
    if (header[i] != ' ') return {fixedColumn, false};
  }
  return {column, true};
}

std::size_t SecondColumn(const ListLayout& layout, std::string_view line, char marker) {
  if (!layout.Named) return layout.Column;
  // A line whose column holds what the column starts with is as laid out.
  if (marker != 0 && line.size() > layout.Column && line[layout.Column] == marker) return layout.Column;
  std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos || blank + 1 < layout.Column) return layout.Column;
  if (blank + 1 >= line.size()) return layout.Column;
  if (marker != 0 && line[blank + 1] != marker) return layout.Column;
  return blank + 1;
}

}  // namespace zeb
