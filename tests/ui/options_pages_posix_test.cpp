// The path fields take the characters that paths on this system need:
// "/", "." and "-".

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

TEST_F(PathFieldTest, ThePathsOfThisSystemCanBeTyped) {
  backend.Keys("\b\b\b\b\b\b\b\b\b\b/usr/games/mame-0.251\r");
  HandleOptionsClick(22, 22);
  EXPECT_EQ(ExeName, "/usr/games/mame-0.251");
}

}  // namespace
}  // namespace zeb
