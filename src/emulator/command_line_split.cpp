// A command line split into its words the way a Windows program's start-up
// code splits it, so the emulator gets the arguments it would get there.
//
// The first word is the program name: it ends at the first blank or tab
// outside double quotes; quotes only group, backslashes are plain.
// Every further word:
//   - blanks and tabs outside double quotes separate words;
//   - a double quote starts or ends a quoted part; inside a quoted part two
//     double quotes in a row give one literal double quote;
//   - 2n backslashes before a double quote give n backslashes, and the quote
//     starts or ends a quoted part; 2n+1 backslashes before a double quote
//     give n backslashes and a literal double quote;
//   - backslashes not followed by a double quote are literal;
//   - a quoted part that is empty still makes a word ("" is an empty word).
// QuoteCommandWord writes a word the other way round, and CommandLineOf a
// program's whole command line, for the Windows launch.

#include <algorithm>
#include <cstddef>

#include "emulator/processes.h"

namespace zeb {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> words;
  if (commandLine.empty()) return words;

  std::size_t at = 0;
  const std::size_t end = commandLine.size();

  std::string program;
  bool quoted = false;
  while (at < end && (quoted || !IsBlank(commandLine[at]))) {
    if (commandLine[at] == '"') {
      quoted = !quoted;
    } else {
      program += commandLine[at];
    }
    ++at;
  }
  words.push_back(program);

  for (;;) {
    while (at < end && IsBlank(commandLine[at])) ++at;
    if (at == end) break;

    std::string word;
    quoted = false;
    while (at < end && (quoted || !IsBlank(commandLine[at]))) {
      char c = commandLine[at];
      if (c == '\\') {
        std::size_t backslashes = 0;
        while (at < end && commandLine[at] == '\\') {
          ++backslashes;
          ++at;
        }
        if (at < end && commandLine[at] == '"') {
          word.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            word += '"';
            ++at;
          }
          // An even count leaves the quote to the next turn, where it
          // starts or ends a quoted part.
        } else {
          word.append(backslashes, '\\');
        }
      } else if (c == '"') {
        if (quoted && at + 1 < end && commandLine[at + 1] == '"') {
          word += '"';
          at += 2;
        } else {
          quoted = !quoted;
          ++at;
        }
      } else {
        word += c;
        ++at;
      }
    }
    words.push_back(word);
  }
  return words;
}

std::string QuoteCommandWord(std::string_view word, bool always) {
  if (!always && !word.empty() && word.find_first_of(" \t\"") == std::string_view::npos) return std::string(word);
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

std::string CommandWordsText(const std::vector<CommandWord>& words) {
  std::string text;
  for (const CommandWord& word : words) {
    text += QuoteCommandWord(word.Text);
    text.append(static_cast<std::size_t>(std::max(word.BlanksAfter, 0)), ' ');
  }
  return text;
}

std::string CommandLineOf(std::string_view name, const std::vector<CommandWord>& words) {
  std::string line = "\"";
  line += name;
  line += "\" ";
  line += CommandWordsText(words);
  return line;
}

std::string ArgumentsCommandLine(const std::vector<std::string>& arguments, std::string_view program) {
  std::string line = "\"";
  line += arguments.empty() ? program : std::string_view(arguments.front());
  line += '"';
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    line += ' ';
    line += QuoteCommandWord(arguments[i]);
  }
  return line;
}

}  // namespace zeb
