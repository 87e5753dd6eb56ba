#include "emulator/known_options.h"

#include <utility>

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

// The replacement's words with the value put in for each "%", each word
// followed by a blank.
SlotWords Replaced(std::string_view pattern, std::string_view value) {
  SlotWords words = SlotWordsOf(pattern);
  for (CommandWord& word : words) {
    std::string text;
    for (char c : word.Text) {
      if (c == '%') {
        text += value;
      } else {
        text += c;
      }
    }
    word.Text = std::move(text);
    word.BlanksAfter = 1;
  }
  return words;
}

// The words of a slot after its switch, as one text.
std::string ValueOf(const SlotWords& slot) {
  std::string value;
  for (std::size_t i = 1; i < slot.size(); ++i) {
    if (i > 1) value += ' ';
    value += slot[i].Text;
  }
  return value;
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

AdaptedArguments AdaptToKnownOptions(const std::vector<SlotWords>& slots, const KnownOptions& known) {
  AdaptedArguments adapted;
  if (!known.Trusted) {
    adapted.Slots = slots;
    return adapted;
  }
  for (const SlotWords& slot : slots) {
    if (slot.empty()) {
      adapted.Slots.emplace_back();
      continue;
    }
    const std::string_view option = slot.front().Text;
    const SwitchName* row = FindSwitchName(option);
    const std::string_view decisive = row != nullptr ? row->Option : option.substr(option.empty() ? 0 : 1);
    if (known.Lists(decisive)) {
      adapted.Slots.push_back(slot);
      continue;
    }
    bool replaceable = row != nullptr && !row->Replacement.empty();
    for (std::size_t i = 0; replaceable && i < std::size(row->ReplacementOptions); ++i) {
      const std::string_view needed = row->ReplacementOptions[i];
      replaceable = needed.empty() || known.Lists(needed);
    }
    if (replaceable) {
      adapted.Slots.push_back(Replaced(row->Replacement, ValueOf(slot)));
    } else {
      adapted.Slots.emplace_back();
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
