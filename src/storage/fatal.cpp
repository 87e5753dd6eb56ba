#include "storage/fatal.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "console/console.h"
#include "storage/visible_text.h"

namespace zeb {

namespace {
// Who takes the report instead of the terminal (the fuzz targets): reached
// from any depth, as the report itself is.
FatalHandler Handler = nullptr;
}

void SetFatalHandler(FatalHandler handler) { Handler = handler; }

void Fatal(std::string_view message) {
  if (Handler != nullptr) Handler(message);
  ConsoleFatal(message);
}

void FatalIo(std::string_view action, std::string_view file) {
  std::string message(action);
  message += " '";
  message += VisibleText(file);
  message += "': ";
  message += std::strerror(errno);
  Fatal(message);
}

void FatalTableIndex(int index, int size) {
  Fatal("table index " + std::to_string(index) + " outside 1.." + std::to_string(size));
}

}  // namespace zeb
