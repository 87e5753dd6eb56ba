#include "emulator/known_options.h"

#include "emulator/option_names.h"

namespace zeb {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The option a line lists, or "" when it lists none.
std::string_view ListedOption(std::string_view line) {
  if (line.empty() || line[0] != '-') return {};
  std::size_t end = 1;
  while (end < line.size() && IsNameCharacter(line[end])) ++end;
  if (end == 1 || (end < line.size() && !IsBlank(line[end]))) return {};
  return line.substr(1, end - 1);
}

std::string WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

// The replacement's arguments with the value put in for each "%", and a
// blank after them.
std::string Replaced(std::string_view pattern, std::string_view value) {
  std::string text;
  for (char c : pattern) {
    if (c == '%') {
      text += value;
    } else {
      text += c;
    }
  }
  text += ' ';
  return text;
}

}  // namespace

bool KnownOptions::Lists(std::string_view name) const { return Trusted && Names.find(name) != Names.end(); }

KnownOptions ParseShowUsage(std::string_view output, int exitStatus) {
  KnownOptions known;
  int lines = 0;
  while (!output.empty()) {
    std::size_t end = output.find('\n');
    std::string_view line = output.substr(0, end);
    output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view name = ListedOption(line);
    if (name.empty()) continue;
    ++lines;
    known.Names.emplace(name);
  }
  known.Trusted = exitStatus == 0 && lines >= MinimumOptionLines;
  if (!known.Trusted) known.Names.clear();
  return known;
}

KnownOptions AskEmulatorOptions(const ProgramFile& emulator) {
  OutputRun run = RunForOutput(emulator, {emulator.Name, "-showusage"}, ShowUsageMilliseconds);
  if (!run.Started || run.TimedOut) return KnownOptions{};
  return ParseShowUsage(run.Output, run.ExitStatus);
}

AdaptedArguments AdaptToKnownOptions(const std::vector<std::string>& slotTexts, const KnownOptions& known) {
  AdaptedArguments adapted;
  if (!known.Trusted) {
    adapted.Texts = slotTexts;
    return adapted;
  }
  for (const std::string& text : slotTexts) {
    if (text.empty()) {
      adapted.Texts.emplace_back();
      continue;
    }
    const std::string_view slot = text;
    const std::size_t blank = slot.find(' ');
    const std::string_view option = slot.substr(0, blank);
    const std::string value =
        blank == std::string_view::npos ? std::string() : WithoutTrailingBlanks(slot.substr(blank + 1));

    const SwitchName* row = FindSwitchName(option);
    const std::string_view decisive = row != nullptr ? row->Option : option.substr(option.empty() ? 0 : 1);
    if (known.Lists(decisive)) {
      adapted.Texts.push_back(text);
      continue;
    }
    bool replaceable = row != nullptr && !row->Replacement.empty();
    for (std::size_t i = 0; replaceable && i < std::size(row->ReplacementOptions); ++i) {
      const std::string_view needed = row->ReplacementOptions[i];
      replaceable = needed.empty() || known.Lists(needed);
    }
    if (replaceable) {
      adapted.Texts.push_back(Replaced(row->Replacement, value));
    } else {
      adapted.Texts.emplace_back();
      adapted.LeftOut.emplace_back(option);
    }
  }
  return adapted;
}

std::string LeftOutLine(const std::vector<std::string>& leftOut) {
  if (leftOut.empty()) return std::string();
  std::string line = "Left out, unknown to this emulator:";
  for (const std::string& option : leftOut) {
    line += ' ';
    line += option;
  }
  return line;
}

}  // namespace zeb
