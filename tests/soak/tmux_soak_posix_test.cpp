// The soak of the real program in a real terminal: random keys, clicks,
// size changes and ROM archives that come and go, sent through tmux for a
// while (ZEB_TMUX_SOAK_SECONDS, a few seconds by default), the program
// started again whenever the user quits. At the end it quits, the terminal
// is as it was, every run ended with status 0 and the sanitizers said
// nothing. The events come from a seed taken from the clock, or from
// ZEB_TMUX_SOAK_SEED: a failure names its seed, and that variable sends the
// same stream of events again (the program's timing may still differ).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/emulator_dir.h"
#include "e2e/tmux_session.h"
#include "soak/soak_events.h"

namespace zeb::soak {
namespace {

using namespace zeb::e2e;

// Quits from wherever the program is: answers a confirmation box, leaves a
// launch's prompt or the line editor, and asks to quit with the close mark.
bool Quit(TmuxSession& term) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (term.WaitFor("Are You Sure (Y/N)?", 0.5)) {
      term.Send("y");
    } else if (term.WaitFor("Press any key", 0.1)) {
      term.Send(" ");
    } else if (attempt % 2 == 1) {
      term.Send("\r");  // the line editor ends only with Enter
    } else {
      term.Click(1, 1);
    }
    if (term.WaitExit(1.0) >= 0) return true;
  }
  return false;
}

TEST(TmuxSoak, RandomInputEndsWithTheTerminalRestoredAndNoSanitizerReport) {
  const char* wanted = std::getenv("ZEB_TMUX_SOAK_SECONDS");
  const int seconds = wanted != nullptr && *wanted != '\0' ? std::atoi(wanted) : 5;
  const char* replayed = std::getenv("ZEB_TMUX_SOAK_SEED");
  const uint64_t seed = replayed != nullptr && *replayed != '\0'
                            ? std::strtoull(replayed, nullptr, 10)
                            : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  // Every failure below names the seed.
  SCOPED_TRACE("seed " + std::to_string(seed) + " (ZEB_TMUX_SOAK_SEED=" + std::to_string(seed) +
               " sends its events again)");
  TempDir dir(TempDir::Stay);
  PrepareDemo(dir);
  // The games whose archives come and go (the import removes the list).
  std::vector<std::string> drivers;
  std::ifstream list(dir.File("listfull.txt"));
  std::string line;
  std::getline(list, line);  // the heading
  while (std::getline(list, line)) drivers.push_back(line.substr(0, line.find(' ')));
  ASSERT_FALSE(drivers.empty());
  // Each run's exit status goes to exits.txt; the file "stop" ends the
  // runs.
  TmuxSession term(dir.Path(), "(while :; do " + ZebBinary() +
                                   " 2>>zeb-stderr.txt; s=$?; echo $s >>exits.txt;"
                                   " if [ -e stop ]; then exit $s; fi; done)");
  ASSERT_TRUE(WaitForGamesList(term));

  SoakEvents events(seed);
  std::deque<std::string> last;
  long sent = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    SoakEvent event = events.Next();
    ++sent;
    last.push_back("#" + std::to_string(sent) + " " + event.Text);
    if (last.size() > 40) last.pop_front();
    if (event.Archive >= 0) {
      const std::string archive = dir.File("roms/" + drivers[static_cast<std::size_t>(event.Archive) % drivers.size()] + ".zip");
      if (!std::filesystem::remove(archive)) Touch(archive);
    } else if (event.Bytes.empty()) {
      term.Resize(event.Width, event.Height);
    } else {
      // A held click: its release comes with the next event.
      term.Send(event.Bytes);
      if (!event.Release.empty()) term.Send(event.Release);
    }
  }
  term.Resize(80, 25);
  Touch(dir.File("stop"));
  std::string eventsText;
  for (const std::string& line : last) eventsText += line + "\n";
  ASSERT_TRUE(Quit(term)) << "the program did not quit; the last events:\n" << eventsText;
  ExpectTerminalRestored(term);
  std::string exits = ReadBytes(dir.File("exits.txt"));
  EXPECT_EQ(exits.find_first_not_of("0\n"), std::string::npos)
      << "exit statuses:\n" << exits << "the last events:\n" << eventsText;
  EXPECT_EQ(ReadBytes(dir.File("zeb-stderr.txt")), "") << "the last events:\n" << eventsText;
  std::printf("tmux soak: seed %llu, %ld events in %d s, %zu runs of the program\n",
              static_cast<unsigned long long>(seed), sent, seconds,
              static_cast<std::size_t>(std::count(exits.begin(), exits.end(), '\n')));
}

}  // namespace
}  // namespace zeb::soak
