// Categories from catver.ini: three header lines, then "name=category" lines
// up to the line "[VerAdded]"; nothing after it is read.

#include <cstddef>
#include <string_view>

#include "storage/state.h"
#include "storage/work_file.h"
#include "gamedb/driver_index.h"
#include "gamedb/gamedb.h"
#include "gamedb/import_file.h"

namespace zeb {

namespace {

constexpr std::string_view SectionEnd = "[VerAdded]";

}  // namespace

void ImportCategories() {
  if (!OpenOptionalList("catver.ini", "Cannot Find Catver.ini", "Checking Catver")) return;
  DriverIndex index;
  index.Build();
  WorkFile.ReadLine();
  WorkFile.ReadLine();
  WorkLine = WorkFile.ReadLine();
  if (!(WorkLine == SectionEnd)) {
    do {
      WorkLine = WorkFile.ReadLine();
      std::string_view line = WorkLine.View();
      std::size_t equals = line.find('=');
      WorkName = line.substr(0, equals == std::string_view::npos ? 0 : equals);
      std::string_view category = equals == std::string_view::npos ? line : line.substr(equals + 1);
      for (int32_t game : index.GamesNamed(WorkName)) Games[game].Category = category;
    } while (!(WorkLine == SectionEnd) && !WorkFile.Eof());
  }
  WorkFile.Close();
}

}  // namespace zeb
