// The Windows-style command-line split on any words and any command line.
//
// The input is taken twice:
//   - as words, one per line: the first is the program (its double quotes
//     left out, as a program path holds none), quoted whole as the launch
//     quotes the executable; every further word quoted as the Windows launch
//     quotes it (only where needed, or always) and joined with blanks or
//     tabs, and once as a game launch forms the line (CommandLineOf). The
//     split gives the words back;
//   - as a command line: its split, quoted and joined again the same way,
//     splits into the same words.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "emulator/processes.h"

namespace zeb::fuzz {
namespace {

using Words = std::vector<std::string>;

std::string Join(const Words& words, bool always, std::string_view blank) {
  if (words.empty()) return std::string();
  std::string line = "\"" + words[0] + "\"";
  for (std::size_t i = 1; i < words.size(); ++i) {
    line += blank;
    line += QuoteCommandWord(words[i], always);
  }
  return line;
}

void CheckRoundTrip(const Words& words) {
  for (bool always : {false, true}) {
    for (std::string_view blank : {" ", "\t \t"}) ZEB_FUZZ_CHECK(SplitCommandLine(Join(words, always, blank)) == words);
  }
  // As a game launch lays them out: each word with one or two blanks after.
  if (words.empty()) return;
  std::vector<CommandWord> launched;
  for (std::size_t i = 1; i < words.size(); ++i) launched.push_back(CommandWord{words[i], 1 + static_cast<int>(i % 2)});
  ZEB_FUZZ_CHECK(SplitCommandLine(CommandLineOf(words[0], launched)) == words);
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb;
  using namespace zeb::fuzz;
  std::string_view input = Bytes(data, size);

  Words words;
  for (std::string_view rest = input;;) {
    std::size_t end = rest.find('\n');
    words.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  std::erase(words[0], '"');
  CheckRoundTrip(words);

  Words split = SplitCommandLine(input);
  ZEB_FUZZ_CHECK(split.empty() == input.empty());
  ZEB_FUZZ_CHECK(split.empty() || split[0].find('"') == std::string::npos);
  CheckRoundTrip(split);
  return 0;
}
