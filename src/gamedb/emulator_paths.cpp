#include "gamedb/emulator_paths.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace zeb {

namespace {

constexpr std::size_t MaxPathText = 255;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string Variable(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  return value != nullptr ? std::string(value) : std::string();
}

// Appends the piece of the list with "~" at its start and its variables
// put in.
void AppendExpandedPiece(std::string_view piece, std::string& out) {
  if (!piece.empty() && piece[0] == '~' && (piece.size() == 1 || piece[1] == '/' || piece[1] == '\\')) {
    out += Variable("HOME");
    piece.remove_prefix(1);
  }
  std::size_t at = 0;
  while (at < piece.size()) {
    if (piece[at] != '$') {
      out += piece[at++];
      continue;
    }
    if (at + 1 < piece.size() && piece[at + 1] == '{') {
      std::size_t close = piece.find('}', at + 2);
      std::string_view name =
          close == std::string_view::npos ? std::string_view() : piece.substr(at + 2, close - at - 2);
      bool named = !name.empty();
      for (char c : name) named = named && IsNameCharacter(c);
      if (named) {
        out += Variable(name);
        at = close + 1;
        continue;
      }
    } else {
      std::size_t end = at + 1;
      while (end < piece.size() && IsNameCharacter(piece[end])) ++end;
      if (end > at + 1) {
        out += Variable(piece.substr(at + 1, end - at - 1));
        at = end;
        continue;
      }
    }
    out += piece[at++];  // a "$" that starts no name
  }
}

// The option's value expanded, when it is a directory list to use instead
// of the default.
std::optional<std::string> UsablePaths(std::string_view text, std::string_view name, std::string_view defaultValue) {
  std::optional<std::string> value = ConfigurationValue(text, name);
  if (!value) return std::nullopt;
  std::string expanded = ExpandedPathList(*value);
  if (expanded.empty() || expanded.size() > MaxPathText || expanded == defaultValue) return std::nullopt;
  return expanded;
}

}  // namespace

std::optional<std::string> ConfigurationValue(std::string_view text, std::string_view name) {
  std::optional<std::string> found;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    line = WithoutLeadingBlanks(line);
    if (line.substr(0, name.size()) != name) continue;
    line.remove_prefix(name.size());
    if (line.empty() || !IsBlank(line.front())) continue;
    line = WithoutLeadingBlanks(line);
    if (!line.empty() && line.front() == '=') line = WithoutLeadingBlanks(line.substr(1));
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
    found = std::string(line);
  }
  return found;
}

std::string ExpandedPathList(std::string_view value) {
  std::string out;
  for (;;) {
    std::size_t separator = value.find(';');
    AppendExpandedPiece(value.substr(0, separator), out);
    if (separator == std::string_view::npos) return out;
    out += ';';
    value.remove_prefix(separator + 1);
  }
}

EmulatorPaths ReadEmulatorPaths(std::string_view configurationFile) {
  std::ifstream file{std::string(configurationFile), std::ios::binary};
  if (!file) return EmulatorPaths{};
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return EmulatorPaths{UsablePaths(text, "rompath", "roms"), UsablePaths(text, "samplepath", "samples")};
}

}  // namespace zeb
