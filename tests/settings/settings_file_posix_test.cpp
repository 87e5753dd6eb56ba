// The settings file on a full disk (POSIX: /dev/full stands in for it).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/settings.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;

class SettingsFileOnAFullDisk : public testing_support::ProgramTest<> {
 protected:
  testing_support::TempDir dir_;
};

TEST_F(SettingsFileOnAFullDisk, AFailedSaveKeepsThePreviousFile) {
  SetDefaultSettings();
  Games[++GameCount] = GameRecord{"abc", "Abc", "", "", "1", ""};
  SaveSettings();
  std::string saved = ReadBytes("zeb.ini");
  Volume = -7;

  // The disk fills up while the file is written.
  std::filesystem::create_symlink("/dev/full", "zeb.ini.tmp");
  EXPECT_EXIT(SaveSettings(), testing::ExitedWithCode(1), "zeb: cannot write 'zeb.ini.tmp'");
  EXPECT_EQ(ReadBytes("zeb.ini"), saved);
  std::filesystem::remove("zeb.ini.tmp");
}

}  // namespace
}  // namespace zeb
