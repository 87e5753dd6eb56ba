// The decimal separator of the user's regional settings, on Windows.

#include "emulator/launch.h"

#include <windows.h>

namespace zeb {

char DecimalSeparator() {
  char separator[8] = {};
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
  // The length counts the closing zero. A separator of more than one byte
  // cannot be shown on the console's single-byte screen; it counts as
  // unknown.
  return length == 2 ? separator[0] : '.';
}

}  // namespace zeb
