// Lists that the emulator leaves empty, on POSIX, where a script can stand
// in for it.

#include <gtest/gtest.h>

#include <filesystem>

#include "emulator/make_lists.h"
#include "make_lists_fixture.h"

namespace zeb {
namespace {

using launch_testing::MakeListsTest;

TEST_F(MakeListsTest, ListsThatComeOutEmptyAreFailuresToo) {
  Script("mame", "[ \"$1\" = -listfull ] && echo 'Name:             Description:'\nexit 0\n");
  EXPECT_FALSE(MakeLists(console));
  EXPECT_EQ(Rows().at(7), "./mame ran, but it wrote no game lines into listfull.txt");

  Script("mame", "[ \"$1\" = -listfull ] && printf 'h\\ng \"G\"\\n'\nexit 0\n");
  EXPECT_FALSE(MakeLists(console));
  EXPECT_EQ(Rows().at(8), "./mame ran, but it wrote nothing into listclones.txt");
  for (const char* file : {"ver.txt", "listfull.txt", "listclones.txt"}) {
    EXPECT_FALSE(std::filesystem::exists(file)) << file;
  }
}

}  // namespace
}  // namespace zeb
