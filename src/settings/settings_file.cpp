// The settings file zeb.ini: 46 lines of settings, then six lines per game.
//
// Integers are plain decimal. Reals are written in a 23-character exponent
// form (" 1.00000000000000E+0000"), rounded to 15 significant digits, and
// read back from that form or from a plain decimal ("1.5"); "." is the
// decimal point whatever the user's locale.
//
// The file is written beside itself under a new, unique name, forced to the
// disk and then renamed over the old one, so a save that fails half-way
// leaves the previous settings and game table as they were, and no partial
// file behind.
//
// The game table holds at most MaxGames games. A file that declares more, or
// a negative count, is refused with an error before anything is changed:
// reading part of it would lose the other games at the next save.

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "storage/fatal.h"
#include "storage/file_system.h"
#include "storage/numbers.h"
#include "storage/visible_text.h"
#include "storage/work_file.h"
#include "settings/settings.h"

namespace zeb {

namespace {

// The largest magnitude written. The largest double itself would round up
// to 1.79769313486232E+0308, which is past it: the file could not be read
// back. Magnitudes above this one are written as this one.
constexpr double LargestWritten = 1.79769313486231e308;

// " d.ddddddddddddddE+dddd": sign position, 15 significant digits, exponent
// sign and four exponent digits.
ShortString RealText(double value) {
  ShortString text(value < 0 ? "-" : " ");
  double magnitude = std::fabs(value);
  if (std::isfinite(magnitude)) magnitude = std::min(magnitude, LargestWritten);
  char digits[64];
  auto result = std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::scientific, 14);
  std::string_view formatted(digits, static_cast<std::size_t>(result.ptr - digits));
  std::size_t e = formatted.find('e');
  if (e == std::string_view::npos) return text.Append(formatted);  // not a finite number
  text.Append(formatted.substr(0, e)).Append('E').Append(formatted[e + 1]);
  std::string_view exponent = formatted.substr(e + 2);
  for (std::size_t width = exponent.size(); width < 4; ++width) text.Append('0');
  return text.Append(exponent);
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// An optional "-" and at least one digit, within the 32-bit range.
bool ParseInteger(std::string_view text, int32_t& value) {
  std::string_view digits = text.substr(!text.empty() && text[0] == '-' ? 1 : 0);
  if (digits.empty() || !AllDigits(digits)) return false;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Blanks around; an optional sign; digits with an optional "." (at least one
// digit in all); an optional exponent "E" or "e", its optional sign and
// digits. The value must be a finite number.
bool ParseReal(std::string_view text, double& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string_view number = text;
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) number.remove_prefix(1);
  std::size_t e = number.find_first_of("Ee");
  std::string_view mantissa = number.substr(0, e);
  std::size_t point = mantissa.find('.');
  std::string_view whole = mantissa.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
  if (whole.size() + fraction.size() == 0 || !AllDigits(whole) || !AllDigits(fraction)) return false;
  if (e != std::string_view::npos) {
    std::string_view exponent = number.substr(e + 1);
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.remove_prefix(1);
    if (exponent.empty() || !AllDigits(exponent)) return false;
  }
  // from_chars takes no "+" sign.
  std::string_view convert = text[0] == '+' ? number : text;
  auto result = std::from_chars(convert.data(), convert.data() + convert.size(), value);
  return result.ec == std::errc() && result.ptr == convert.data() + convert.size() && std::isfinite(value);
}

// "'<text>' is not a valid <kind> value", and on a second line where the
// text stands, so that the user knows what to correct.
[[noreturn]] void FatalConversion(std::string_view text, std::string_view kind, int lineNumber) {
  std::string message = "'";
  message += VisibleText(text);
  message += "' is not a valid ";
  message += kind;
  message += " value\nin '";
  message += VisibleText(SettingsFileName);
  message += "', line ";
  message += IntText(lineNumber).View();
  Fatal(message);
}

[[noreturn]] void FatalGameCount(long long count) {
  std::string message = "'";
  message += VisibleText(SettingsFileName);
  message += "' declares ";
  message += IntText(count).View();
  message += " games; it can hold 0 to ";
  message += IntText(MaxGames).View();
  Fatal(message);
}

}  // namespace

StoredVersion ReadStoredVersion() {
  StoredVersion stored;
  // A pipe or a device would block the read or never end it.
  std::error_code error;
  if (!std::filesystem::is_regular_file(NativePath(SettingsFileName), error)) {
    stored.Result = StoredVersion::Outcome::NotARegularFile;
    return stored;
  }
  TextFile file;
  if (!file.OpenReadQuietly(SettingsFileName)) {
    stored.Result = StoredVersion::Outcome::CannotRead;
    stored.Error = errno;
    return stored;
  }
  for (int line = 1; line <= SettingsLineCount; ++line) {
    if (file.Eof()) {
      stored.Result = file.ReadError() != 0 ? StoredVersion::Outcome::CannotRead : StoredVersion::Outcome::TooShort;
      stored.Error = file.ReadError();
      stored.Lines = line - 1;
      return stored;
    }
    std::string_view text = file.ReadLine();
    if (line == SettingsLineCount) stored.Text = text;
  }
  if (file.ReadError() != 0) {
    stored.Result = StoredVersion::Outcome::CannotRead;
    stored.Error = file.ReadError();
  } else if (stored.Text.empty()) {
    stored.Result = StoredVersion::Outcome::Empty;
  }
  return stored;
}

void SaveSettings(const Settings& settings, const GameTable& table) {
  if (table.GameCount < 0 || table.GameCount > MaxGames) FatalGameCount(table.GameCount);
  TextFile file;
  file.CreateReplacing(SettingsFileName);
  for (const SettingsLine& line : SettingsLines) {
    switch (line.Kind) {
      case SettingKind::Integer:
        file.WriteLine(IntText(line.StoredInteger != nullptr ? table.*line.StoredInteger : settings.*line.Integer));
        break;
      case SettingKind::Real: file.WriteLine(RealText(settings.*line.Real)); break;
      case SettingKind::Text: file.WriteLine(line.StoredText != nullptr ? table.*line.StoredText : settings.*line.Text); break;
    }
  }
  for (int game = 1; game <= table.GameCount; ++game) {
    const GameRecord& record = table.Games[game];
    for (int field = 1; field <= FieldsPerGame; ++field) file.WriteLine(GameField(record, field));
  }
  file.Close();
}

void LoadSettings(Settings& settings, GameTable& table) {
  if (!FileExists(SettingsFileName)) return;
  TextFile file;
  file.OpenRead(SettingsFileName);

  // Every settings line is read and converted before any field changes.
  ShortString texts[SettingsLineCount];
  int32_t integers[SettingsLineCount] = {};
  double reals[SettingsLineCount] = {};
  for (int i = 0; i < SettingsLineCount; ++i) {
    texts[i] = file.ReadLine();
    SettingKind kind = SettingsLines[i].Kind;
    int lineNumber = i + 1;
    if (kind == SettingKind::Integer && !ParseInteger(texts[i], integers[i])) {
      FatalConversion(texts[i], "integer", lineNumber);
    }
    if (kind == SettingKind::Real && !ParseReal(texts[i], reals[i])) {
      FatalConversion(texts[i], "floating point", lineNumber);
    }
  }
  // The first line is the game count.
  if (integers[0] < 0 || integers[0] > MaxGames) FatalGameCount(integers[0]);

  for (int i = 0; i < SettingsLineCount; ++i) {
    const SettingsLine& line = SettingsLines[i];
    switch (line.Kind) {
      case SettingKind::Integer:
        (line.StoredInteger != nullptr ? table.*line.StoredInteger : settings.*line.Integer) = integers[i];
        break;
      case SettingKind::Real: settings.*line.Real = reals[i]; break;
      case SettingKind::Text: (line.StoredText != nullptr ? table.*line.StoredText : settings.*line.Text) = texts[i]; break;
    }
  }
  for (int game = 1; game <= table.GameCount; ++game) {
    GameRecord& record = table.Games[game];
    std::string_view fields[FieldsPerGame];
    if (file.ReadLinesHere(fields, FieldsPerGame)) {
      for (int field = 0; field < FieldsPerGame; ++field) record.*GameFields[field] = fields[field];
    } else {
      for (ShortString GameRecord::* field : GameFields) record.*field = file.ReadLine();
    }
  }
  file.Close();
}

}  // namespace zeb
