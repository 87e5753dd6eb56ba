// The decimal separator of the user's regional settings. Under wine the
// user's locale follows the locale wine starts in: the test programs run in
// the C locale, and this test once more in a German one, each run told the
// separator to expect (cmake/platform.cmake).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "emulator/launch.h"
#include "launch_fixture.h"

namespace zeb {
namespace {

TEST(DecimalSeparator, FollowsTheUserLocale) {
  const char* expected = std::getenv("ZEB_TEST_DECIMAL_SEPARATOR");
  ASSERT_NE(expected, nullptr) << "run by ctest, which names the separator of the locale it sets";
  ASSERT_EQ(std::string(expected).size(), 1u);
  const char separator = expected[0];
  EXPECT_EQ(DecimalSeparator(), separator);

  // The builder takes it for its real numbers.
  EXPECT_EQ(launch_testing::OptionsWithRealNumbers(),
            std::string("-w  -beam 1") + separator + "25  -c  -fsb 1" + separator + "20  ");
}

}  // namespace
}  // namespace zeb
