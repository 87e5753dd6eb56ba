// The settings file on a full disk (POSIX: /dev/full stands in for it).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/scripted_backend.h"
#include "core/state.h"
#include "settings/settings.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::ReadBytes;

TEST(SettingsFileOnAFullDisk, AFailedSaveKeepsThePreviousFile) {
  ResetProgramState();
  ScriptedBackend backend;
  ConsoleUseBackend(&backend);
  testing_support::TempDir dir;
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
  ConsoleUseBackend(nullptr);
}

}  // namespace
}  // namespace zeb
