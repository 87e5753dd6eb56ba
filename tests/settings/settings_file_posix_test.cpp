// Safe saves where the system can be made to fail them: planted links,
// no file handles, a full disk.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "settings_fixture.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
using namespace settings_testing;

TEST_F(SettingsFile, ASaveNeverWritesThroughAPlantedLink) {
  SaveATable(1);
  // Links at every name an older save used, to a file of someone else's.
  WriteBytes("other.txt", "not ours\n");
  std::filesystem::create_symlink("other.txt", "zeb.ini.tmp");
  std::filesystem::create_symlink("missing.txt", "zeb.ini.new");
  Save();
  EXPECT_EQ(ReadBytes("other.txt"), "not ours\n");
  EXPECT_FALSE(std::filesystem::exists("missing.txt"));
  EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status("zeb.ini")));
  EXPECT_EQ(FileLines("zeb.ini")[23], "-7");
  EXPECT_TRUE(std::filesystem::is_symlink("zeb.ini.tmp"));
  EXPECT_EQ(OtherEntries().size(), 3u);
}

// Each failure in a child process that ends with the error report; the
// previous file stays, and nothing is left beside it.
TEST_F(SettingsFile, AFailedSaveKeepsThePreviousFileAndLeavesNothingBehind) {
  const std::string saved = SaveATable(500);
  ASSERT_GT(saved.size(), 8192u);
  auto expectSaveEndsWith = [&](const std::function<void()>& prepare, const std::string& report) {
    EXPECT_EXIT(
        {
          prepare();
          Save();
        },
        testing::ExitedWithCode(1), report);
    EXPECT_TRUE(SameLines(saved, ReadBytes("zeb.ini")));
    EXPECT_EQ(OtherEntries(), std::vector<std::string>());
  };

  // No new file can be made: no file handle is to be had. (The sanitizers
  // need handles for their own checks: the error report's path is taken
  // once before, and the limit goes back up at the exit.)
  expectSaveEndsWith(
      [] {
        ConsoleRestore();
        static rlimit files{};
        getrlimit(RLIMIT_NOFILE, &files);
        std::atexit([] { setrlimit(RLIMIT_NOFILE, &files); });
        rlimit none = files;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_NOFILE, &none);
      },
      "zeb: cannot create a new file beside 'zeb.ini': ");

  // The disk fills up while the file is written: the system refuses what
  // goes past 5000 bytes.
  expectSaveEndsWith(
      [] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 5000;
        setrlimit(RLIMIT_FSIZE, &small);
      },
      "zeb: cannot write 'zeb.ini.tmp.[A-Za-z0-9]+': File too large");

  // The new file cannot take the old one's place.
  std::filesystem::remove("zeb.ini");
  std::filesystem::create_directories("zeb.ini/inside");
  EXPECT_EXIT(Save(), testing::ExitedWithCode(1), "zeb: cannot replace 'zeb.ini'");
  EXPECT_TRUE(std::filesystem::is_directory("zeb.ini/inside"));
  EXPECT_EQ(OtherEntries(), std::vector<std::string>());
}

}  // namespace
}  // namespace zeb
