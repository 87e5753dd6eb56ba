#pragma once
// The first run's other road: instead of the user running the batch file,
// ZEB runs the emulator for the three files itself.

#include "console/console.h"

namespace zeb {

// The emulator's name in the batch file: the program the lists (and the
// machine information) are asked of, looked for here and on the search path.
inline constexpr const char* ListsEmulatorName = "mame.exe";

// Has the emulator write ver.txt, listfull.txt and listclones.txt as the
// batch file's commands do, on a cleared screen that shows each command. A
// list command that fails or gives nothing runs again without
// "-sortdriver". True when both lists were made; otherwise the reason, with
// the emulator's own error text, is on the screen, and the files this
// attempt created are deleted again (files that were there before stay).
bool MakeLists(Console& console);

}  // namespace zeb
