// Categories from catver.ini: three header lines, then "name=category" lines
// up to the line "[VerAdded]"; nothing after it is read.

#include <cstddef>
#include <string_view>

#include "storage/work_file.h"
#include "gamedb/code_page.h"
#include "gamedb/driver_index.h"
#include "gamedb/gamedb.h"
#include "gamedb/import_file.h"

namespace zeb {

namespace {

constexpr std::string_view SectionEnd = "[VerAdded]";

}  // namespace

void ImportCategories(GameTable& table, Console& console) {
  TextFile file;
  if (!OpenOptionalList(console, file, "catver.ini", "Cannot Find Catver.ini", "Checking Catver")) return;
  DriverIndex index;
  index.Build(table);
  file.ReadLine();
  file.ReadLine();
  ShortString line = file.ReadLine();
  if (!(line == SectionEnd)) {
    do {
      line = file.ReadLine();
      std::string_view text = line.View();
      std::size_t equals = text.find('=');
      std::string_view name = text.substr(0, equals == std::string_view::npos ? 0 : equals);
      std::string_view category = equals == std::string_view::npos ? text : text.substr(equals + 1);
      for (int32_t game : index.GamesNamed(name)) StoreListText(table.Games[game].Category, category);
    } while (!(line == SectionEnd) && !file.Eof());
  }
  file.Close();
}

}  // namespace zeb
