// The decimal separator of the locale the environment names.

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "emulator/launch.h"
#include "launch_fixture.h"
#include "support/environment.h"
#include "support/temp_dir.h"

// glibc's newlocale keeps its copy of LOCPATH for good; only the test below
// sets LOCPATH, and the program never does.
extern "C" const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }

namespace zeb {
namespace {

using testing_support::ScopedEnvironment;

TEST(DecimalSeparator, PointWhenTheLocaleSaysSoOrIsUnknown) {
  ScopedEnvironment all("LC_ALL", "C");
  EXPECT_EQ(DecimalSeparator(), '.');
  ScopedEnvironment unknown("LC_ALL", "xx_NOWHERE.UTF-8");
  EXPECT_EQ(DecimalSeparator(), '.');
}

// A locale with a decimal comma, compiled into a directory of our own (the
// machine may have none installed); skipped where the tools are missing.
TEST(DecimalSeparator, CommaLocaleFromTheEnvironment) {
  testing_support::TempDir dir;
  if (!testing_support::MakeCommaLocale(dir.Path())) GTEST_SKIP() << "localedef unavailable";

  ScopedEnvironment path("LOCPATH", dir.Path());
  ScopedEnvironment all("LC_ALL", std::nullopt);
  ScopedEnvironment lang("LANG", "C");
  {
    ScopedEnvironment numeric("LC_NUMERIC", "de_DE.UTF-8");
    EXPECT_EQ(DecimalSeparator(), ',');
    {
      ScopedEnvironment override("LC_ALL", "C");  // LC_ALL comes first
      EXPECT_EQ(DecimalSeparator(), '.');
    }

    // The builder takes it for its real numbers.
    EXPECT_EQ(launch_testing::OptionsWithRealNumbers(), "-w  -beam 1,25  -c  -fsb 1,20  ");
  }
  {
    ScopedEnvironment numeric("LC_NUMERIC", std::nullopt);
    ScopedEnvironment fromLang("LANG", "de_DE.UTF-8");
    EXPECT_EQ(DecimalSeparator(), ',');
  }
  // The program's own locale was never switched.
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
}

}  // namespace
}  // namespace zeb
