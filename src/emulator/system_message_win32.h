#pragma once
// The system's message for an error code, for the Windows files of the
// launcher: one line, without the closing full stop.

#include <string>
#include <string_view>

namespace zeb {

// The text of a system error code (GetLastError), with `file` in place of
// the "%1" some messages hold.
std::string SystemMessage(unsigned long error, std::string_view file = {});

}  // namespace zeb
