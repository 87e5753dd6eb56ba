// The decimal separator of the user's regional settings, on POSIX: the radix
// character of the numeric locale the environment names (LC_ALL, then
// LC_NUMERIC, then LANG). The program's own locale stays untouched.

#include <langinfo.h>
#include <locale.h>

#include "emulator/launch.h"

namespace zeb {

char DecimalSeparator() {
  locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (numeric == static_cast<locale_t>(0)) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
  // A separator of more than one byte cannot be shown on the console's
  // single-byte screen; it counts as unknown.
  char separator = (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') ? radix[0] : '.';
  freelocale(numeric);
  return separator;
}

}  // namespace zeb
