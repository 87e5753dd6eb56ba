// The Windows test programs' main (tests/support/test_main_win32.cpp): a
// program that ends in the middle of a test, its standard error captured for
// a death test, says which test and what the capture held, on the standard
// error it started with.

#include <gtest/gtest.h>

#include <string>

#include "emulator/processes.h"
#include "support/environment.h"
#include "support/temp_dir.h"

#include <windows.h>

namespace zeb {
namespace {

TEST(TestMain, AnEndInTheMiddleOfATestIsSaidWithWhatTheCaptureHeld) {
  char self[MAX_PATH + 1] = "";
  ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
  testing_support::TempDir dir;
  testing_support::SetEnvironment("ZEB_TEST_MAIN_SELF_CHECK", "1");
  CapturedRun run = RunIntoFile(ProgramFile{self, "app_tests.exe", ""},
                                {"app_tests.exe", "--gtest_filter=TestMainSelfCheck.*"}, dir.Path() + "\\out");
  testing_support::UnsetEnvironment("ZEB_TEST_MAIN_SELF_CHECK");
  ASSERT_TRUE(run.Started) << run.Reason;
  EXPECT_EQ(run.ExitStatus, 3);  // abort()
  EXPECT_NE(run.ErrorText.find("[  ENDED   ] TestMainSelfCheck.EndsWhileCaptured: the test program aborted during "
                               "this test\n"),
            std::string::npos)
      << run.ErrorText;
  EXPECT_NE(run.ErrorText.find("CHECK failed: what the machinery said"), std::string::npos) << run.ErrorText;
}

}  // namespace
}  // namespace zeb
