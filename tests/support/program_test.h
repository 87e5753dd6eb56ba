#pragma once
// The set-up most tests share: the program at the zero state of its start
// (tables, state variables, settings record and captions) and the console
// driven by a test backend.

#include <gtest/gtest.h>

#include "console/console.h"
#include "console/scripted_backend.h"
#include "storage/state.h"
#include "settings/settings.h"

namespace zeb::testing_support {

// Back to the zero state of program start.
inline void ResetAllState() {
  ResetProgramState();
  ResetSettings();
}

template <typename Backend = ScriptedBackend>
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAllState();
    ConsoleUseBackend(&backend);
  }
  void TearDown() override { ConsoleUseBackend(nullptr); }

  Backend backend;
};

}  // namespace zeb::testing_support
