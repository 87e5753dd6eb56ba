// The version read from a zeb.ini that is no plain readable file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "app/arguments.h"
#include "support/plain_user_posix.h"
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

// Read as a user without the rights to read any file (root has them): the
// directory is open to that user, the file is not.
TEST_F(VersionFileKindTest, AnUnreadableFileIsSaidPlainly) {
  WriteBytes("zeb.ini", "0\r\n");
  ASSERT_EQ(chmod("zeb.ini", 0), 0);
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  std::optional<std::string> text = testing_support::RunAsPlainUser([] {
    return access("zeb.ini", R_OK) == 0 ? std::string("the file is readable to this user") : VersionText();
  });
  ASSERT_TRUE(text.has_value()) << "the check did not run as a user without special rights";
  EXPECT_EQ(*text, Program + "zeb.ini cannot be read: Permission denied\n");
}

}  // namespace
}  // namespace zeb
