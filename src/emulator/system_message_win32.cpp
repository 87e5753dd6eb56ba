#include "emulator/system_message_win32.h"

#include <windows.h>

namespace zeb {

std::string SystemMessage(unsigned long error, std::string_view file) {
  char buffer[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  if (text.empty()) return "system error " + std::to_string(error);
  if (std::size_t insert = text.find("%1"); insert != std::string::npos) text.replace(insert, 2, file);
  // One line: a message of several is joined with blanks.
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace zeb
