// The main loop: one pass acts on a held left button and on a waiting key.

#include "ui/main_loop.h"

#include "console/console.h"
#include "core/state.h"
#include "ui/main_loop_parts.h"

namespace zeb {

void MainLoop() {
  QuitRequested = 0;
  while (QuitRequested == 0) {
    if (MouseButton == 1) HandleClick();
    if (KeyWaiting()) {
      LastKey = GetKey();
      if (DispatchKey()) return;
    } else if (MouseButton != 1 && QuitRequested == 0) {
      // Nothing to do until the next key or mouse event: sleep instead of
      // spinning. A held button keeps the loop running, so that the click
      // repeats at the rate its pauses set.
      WaitForInput();
    }
  }
}

}  // namespace zeb
