// The path fields on Windows take exactly the editor's own characters,
// "0" to "z": "\\" and ":" are among them, and paths need no other.

#include <gtest/gtest.h>

#include "console/scripted_backend.h"
#include "storage/state.h"
#include "settings/settings.h"
#include "support/program_test.h"
#include "ui/frame.h"
#include "ui/options_screen.h"

namespace zeb {
namespace {

class PathFieldTest : public testing_support::ProgramTest<> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetDefaultSettings();
    CurrentScreen = 1;
    DrawScreenBody(1, 1);
  }
};

TEST_F(PathFieldTest, WindowsPathsNeedNoOtherCharacters) {
  backend.Keys("\b\b\b\bD:\\Emu\\\r");
  HandleOptionsClick(22, 7);
  EXPECT_EQ(MamePath, "D:\\Emu\\");
  // "/", "." and "-" are refused as everywhere in the editor; the "." that
  // is there stays.
  backend.Keys("\b\b\b/usr/games/mame-0.251\r");
  HandleOptionsClick(22, 22);
  EXPECT_EQ(ExeName, "mame.usrgamesmame0251");
}

}  // namespace
}  // namespace zeb
