// The decimal separator of the user's regional settings: in the C locale a
// point, and in the run of this test in a German one a comma
// (testing_support::CommaLocale).

#include <gtest/gtest.h>

#include <string>

#include "emulator/launch.h"
#include "launch_fixture.h"
#include "support/temp_dir.h"
#include "support/user_locale.h"

namespace zeb {
namespace {

TEST(DecimalSeparator, FollowsTheUserLocale) {
  testing_support::TempDir dir;
  testing_support::CommaLocale locale(dir.Path());
  ASSERT_NE(locale.Separator(), 0) << locale.Problem();
  const char separator = locale.Separator();
  EXPECT_EQ(DecimalSeparator(), separator);

  // The builder takes it for its real numbers.
  EXPECT_EQ(launch_testing::OptionsWithRealNumbers(),
            std::string("-w  -beam 1") + separator + "25  -c  -fsb 1" + separator + "20  ");
}

}  // namespace
}  // namespace zeb
