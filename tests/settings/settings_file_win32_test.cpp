// Safe saves on Windows: a new file of a unique name beside zeb.ini, never
// one that is there already, and a save that fails leaves the old file and
// nothing else.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/fatal.h"
#include "core/file_system.h"
#include "core/state.h"
#include "core/work_file.h"
#include "settings/settings.h"
#include "settings_fixture.h"
#include "support/temp_dir.h"

#include <windows.h>
#undef DeleteFile
#undef ReplaceFile

namespace zeb {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
using namespace settings_testing;

TEST_F(SettingsFile, ASaveNeverWritesThroughAFilePlantedAtATemporaryName) {
  SetDefaultSettings();
  AddGame({"abc", "Abc", "", "", "1", ""});
  SaveSettings();
  // Files at every name an older save used, someone else's.
  WriteBytes("zeb.ini.tmp", "not ours\n");
  WriteBytes("zeb.ini.new", "not ours either\n");
  Volume = -7;
  SaveSettings();
  EXPECT_EQ(ReadBytes("zeb.ini.tmp"), "not ours\n");
  EXPECT_EQ(ReadBytes("zeb.ini.new"), "not ours either\n");
  EXPECT_EQ(FileLines("zeb.ini")[23], "-7");
  EXPECT_EQ(OtherEntries().size(), 2u);
}

TEST_F(SettingsFile, EveryUniqueFileIsNewAndLeavesTheOthersAlone) {
  std::set<std::string> names;
  for (int i = 0; i < 200; ++i) {
    std::string name;
    std::FILE* file = CreateUniqueFileBeside("zeb.ini", name);
    ASSERT_NE(file, nullptr) << i;
    EXPECT_EQ(name.rfind("zeb.ini.tmp.", 0), 0u) << name;
    EXPECT_EQ(name.size(), 18u) << name;
    std::string text = "file " + std::to_string(i);
    std::fputs(text.c_str(), file);
    EXPECT_TRUE(SyncFile(file));
    std::fclose(file);
    EXPECT_TRUE(names.insert(name).second) << name;
  }
  // Each kept what was written into it: none was opened twice.
  int i = 0;
  for (const std::string& name : names) {
    std::string bytes = ReadBytes(name);
    EXPECT_EQ(bytes.rfind("file ", 0), 0u) << name;
    ++i;
  }
  EXPECT_EQ(i, 200);

  // In a directory of its own, named with "\".
  std::filesystem::create_directory("sub");
  std::string name;
  std::FILE* file = CreateUniqueFileBeside("sub\\zeb.ini", name);
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  EXPECT_EQ(name.rfind("sub\\zeb.ini.tmp.", 0), 0u) << name;
  EXPECT_TRUE(std::filesystem::is_regular_file(name));
}

TEST_F(SettingsFile, AFailedSaveKeepsThePreviousFileAndLeavesNothingBehind) {
  SetDefaultSettings();
  for (int game = 0; game < 500; ++game) AddGame({"game" + std::to_string(game), "A Game", "", "", "1", ""});
  SaveSettings();
  std::string saved = ReadBytes("zeb.ini");
  Volume = -7;

  // Another program holds zeb.ini open without letting it be replaced.
  HANDLE held = CreateFileA("zeb.ini", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FatalMessage([] { SaveSettings(); }), "cannot replace 'zeb.ini': Permission denied");
  CloseHandle(held);
  EXPECT_EQ(ReadBytes("zeb.ini"), saved);
  EXPECT_EQ(OtherEntries(), std::vector<std::string>());

  // No new file can be made where the directory is missing.
  EXPECT_EQ(FatalMessage([] { WorkFile.CreateReplacing("missing\\zeb.ini"); }),
            "cannot create a new file beside 'missing\\zeb.ini': No such file or directory");
  EXPECT_EQ(OtherEntries(), std::vector<std::string>());

  // The new file cannot take the old one's place.
  std::filesystem::remove("zeb.ini");
  std::filesystem::create_directories("zeb.ini/inside");
  EXPECT_EQ(FatalMessage([] { SaveSettings(); }).rfind("cannot replace 'zeb.ini': ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_directory("zeb.ini/inside"));
  EXPECT_EQ(OtherEntries(), std::vector<std::string>());

  // With the way clear, the same save goes through.
  std::filesystem::remove_all("zeb.ini");
  SaveSettings();
  EXPECT_EQ(FileLines("zeb.ini")[23], "-7");
  EXPECT_EQ(OtherEntries(), std::vector<std::string>());
}

}  // namespace
}  // namespace zeb
