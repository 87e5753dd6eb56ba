#pragma once
// Helpers of the launcher tests: the stand-in emulator installed under a
// name of our choice, and its launch log.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "emulator/launch.h"
#include "emulator/processes.h"
#include "settings/settings.h"
#include "support/environment.h"
#include "support/platform.h"
#include "support/program_test.h"
#include "support/temp_dir.h"

namespace zeb::launch_testing {

using testing_support::Touch;

// Copies the stand-in emulator to `path` (directories made as needed), ready
// to run.
inline void InstallStandIn(const std::filesystem::path& path) {
  const std::filesystem::path standIn = ZEB_STANDIN;
  ASSERT_FALSE(standIn.empty()) << "the stand-in emulator was not built";
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::filesystem::copy_file(standIn, path, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// The stand-in's launch log in `directory` ("" when it wrote none).
inline std::string LaunchLog(const std::filesystem::path& directory = ".") {
  return testing_support::ReadBytes((directory / "launch.log").string());
}

// The options the builder forms from the default settings with two real
// numbers, 1.2 and 1.25, in the decimal separator of the user's locale.
inline std::string OptionsWithRealNumbers() {
  Settings settings;
  OptionCaptions captions;
  SetDefaultSettings(settings, captions);
  settings.Brightness = 1.2;
  settings.BeamWidth = 1.25;
  CommandLineSlots slots;
  BuildCommandOptions(settings, DecimalSeparator(), KnownOptions{}, slots);
  return CommandWordsText(slots.CommandOptions);
}

// Running programs in a fresh directory, with a scripted console that
// records the hand-overs.
class RunAndWaitTest : public testing_support::ProgramTest<> {
 protected:
  testing_support::TempDir dir;
};

// The stand-in in its modern behaviour as "mame.exe" in a fresh directory,
// for the runs whose output streams back to us.
class ModernStandInTest : public RunAndWaitTest {
 protected:
  void SetUp() override {
    RunAndWaitTest::SetUp();
    InstallStandIn("mame.exe");
  }
  ProgramFile emulator() const { return ResolveProgram("mame.exe", false); }

  testing_support::ScopedEnvironment modern{"XEM_MODERN", "1"};
};

// Finding programs and running them, in a fresh directory with an empty
// search path, the stand-in in its classic behaviour.
class ResolveProgramTest : public testing_support::ProgramTest<> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    std::filesystem::create_directory("empty");
  }
  // A file that is no program: on POSIX a script without the right to run,
  // on Windows a batch file's line (wine would run a script beginning "#!").
  static void Plain(const std::string& path) {
    if (std::filesystem::path(path).has_parent_path()) {
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    }
    testing_support::WriteBytes(path, testing_support::ForPlatform("#!/bin/sh\n", "echo ran\r\n"));
  }

  testing_support::TempDir dir;
  testing_support::ScopedEnvironment path{"PATH", dir.Path() + "/empty"};
  testing_support::ScopedEnvironment classic{"XEM_MODERN", std::nullopt};
};

}  // namespace zeb::launch_testing
