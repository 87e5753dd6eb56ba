#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line_fixture.h"
#include "emulator/launch.h"
#include "support/temp_dir.h"

namespace zeb::app_testing {

// zeb.exe started as a command line names it; its standard error is the
// error text the run keeps.
ZebExit RunZeb(const std::string& outputs, const std::vector<std::string>& arguments) {
  std::vector<std::string> words{"zeb.exe"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  const std::string out = outputs + "\\out";
  CapturedRun run = RunIntoFile(ProgramFile{ZEB_BINARY, "zeb.exe", ""}, words, out);
  EXPECT_TRUE(run.Started) << run.Reason;
  return ZebExit{run.ExitStatus, testing_support::ReadBytes(out), run.ErrorText};
}

}  // namespace zeb::app_testing
