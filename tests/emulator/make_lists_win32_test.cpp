// On Windows the emulator is mame.exe in the current directory and nowhere
// else.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "emulator/make_lists.h"
#include "launch_fixture.h"
#include "make_lists_fixture.h"
#include "support/environment.h"

namespace zeb {
namespace {

using launch_testing::MakeListsTest;
using launch_testing::InstallStandIn;

TEST_F(MakeListsTest, AnEmulatorAnywhereButHereIsNotRun) {
  // Installed without ".exe", and only on the search path.
  InstallStandIn("mame");
  InstallStandIn("bin/mame.exe");
  testing_support::ScopedEnvironment searchPath("PATH", dir.Path() + "\\bin");
  EXPECT_FALSE(MakeLists(console));
  std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1], "The lists could not be made:");
  EXPECT_EQ(rows[2].rfind("Cannot run mame.exe: ", 0), 0u) << rows[2];
  EXPECT_EQ(rows[3], "(looked for mame.exe here)");
  for (const char* file : {"ver.txt", "listfull.txt", "listclones.txt", "launch.log", "bin/launch.log"}) {
    EXPECT_FALSE(std::filesystem::exists(file)) << file;
  }
}

}  // namespace
}  // namespace zeb
