// The version read from a zeb.ini that is no plain readable file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/arguments.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using testing_support::WriteBytes;

class VersionFileKindTest : public testing_support::ProgramTest<> {
 protected:
  testing_support::TempDir dir;
  const std::string Program = std::string("ZEB ") + ProgramVersionText + "\n";
};

TEST_F(VersionFileKindTest, APipeOrADeviceIsNotRead) {
  // A pipe with no writer would block the read for ever.
  ASSERT_EQ(mkfifo("zeb.ini", 0600), 0);
  EXPECT_EQ(VersionText(), Program + "zeb.ini is not a regular file\n");
  std::filesystem::remove("zeb.ini");
  std::filesystem::create_symlink("/dev/zero", "zeb.ini");  // would never end
  EXPECT_EQ(VersionText(), Program + "zeb.ini is not a regular file\n");
}

TEST_F(VersionFileKindTest, AnUnreadableFileIsSaidPlainly) {
  WriteBytes("zeb.ini", "0\r\n");
  chmod("zeb.ini", 0);
  if (access("zeb.ini", R_OK) == 0) GTEST_SKIP() << "running with the rights to read any file";
  EXPECT_EQ(VersionText(), Program + "zeb.ini cannot be read: Permission denied\n");
}

}  // namespace
}  // namespace zeb
