// The first run with the emulator's lists present, and the starts after it.

#include <gtest/gtest.h>

#include "e2e/emulator_dir.h"

namespace zeb::e2e {
namespace {

TEST(Import, FirstRunImportsSavesAndDeletesTheWorkFiles) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  WriteBytes(dir.File("RunMe.bat"), "left from the batch road\r\n");
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));

  const auto ini = ImportedSettings(dir);
  ASSERT_FALSE(ini.empty());
  EXPECT_GT(std::stoi(ini[0]), 50);
  EXPECT_EQ(ini[45], "X.E.M. 0.37b9");
  for (const char* name : {"ver.txt", "listfull.txt", "listclones.txt", "RunMe.bat"}) {
    EXPECT_FALSE(Exists(dir.File(name))) << name;
  }
  // The title shows the emulator's version at its right end.
  EXPECT_NE(term.Line(1).find("X.E.M. 0.37b9"), std::string::npos);

  EXPECT_EQ(QuitWithEscape(term), 0);
}

TEST(Import, LaterStartsOnlyLoadAndLeaveNewListsAlone) {
  TempDir dir{TempDir::Stay};
  PrepareDemo(dir);
  {
    TmuxSession term(dir.Path(), ZebBinary());
    ASSERT_TRUE(WaitForGamesList(term));
    ASSERT_EQ(QuitWithEscape(term, "Y"), 0);
  }
  std::string saved = ReadBytes(dir.File("zeb.ini"));
  WriteBytes(dir.File("listfull.txt"), "header\r\nnewgame   \"A New Game\"\r\n");
  WriteBytes(dir.File("listclones.txt"), "header\r\n");
  TmuxSession term(dir.Path(), ZebBinary());
  ASSERT_TRUE(WaitForGamesList(term));
  EXPECT_TRUE(Exists(dir.File("listfull.txt")));
  EXPECT_TRUE(Exists(dir.File("listclones.txt")));
  EXPECT_TRUE(SameLines(saved, ReadBytes(dir.File("zeb.ini"))));
  EXPECT_FALSE(term.WaitFor("A New Game", 0.5));
  EXPECT_EQ(QuitWithEscape(term), 0);
}

}  // namespace
}  // namespace zeb::e2e
