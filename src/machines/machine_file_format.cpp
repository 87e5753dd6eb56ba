#include "machines/machine_file_format.h"

#include <cstdio>
#include <cstring>

#include "machines/machine_check.h"

namespace zeb::machine_file {

namespace {

constexpr char Hex[] = "0123456789ABCDEF";
constexpr char LowerHex[] = "0123456789abcdef";

// A hexadecimal digit of the case the file writes it in: upper case in
// escapes, lower case in numbers (so that each value has one form).
int HexValue(char c, bool upper) {
  if (c >= '0' && c <= '9') return c - '0';
  if (upper && c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (!upper && c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool NeedsEscape(unsigned char c) { return c < 0x20 || c == 0x7F || c == '\\'; }

// The next field of `line` from `at`, up to a TAB or the end; `at` moves
// past the TAB (or to npos after the last field).
std::string_view NextField(std::string_view line, std::size_t& at) {
  if (at == std::string_view::npos) return std::string_view();
  std::size_t tab = line.find('\t', at);
  std::string_view field = line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at);
  at = tab == std::string_view::npos ? std::string_view::npos : tab + 1;
  return field;
}

// Exactly `count` fields, TAB-separated.
bool SplitFields(std::string_view line, std::string_view* fields, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (at == std::string_view::npos) return false;
    fields[i] = NextField(line, at);
  }
  return at == std::string_view::npos;
}

bool ParseNumber(std::string_view text, uint64_t& value, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

bool ParseHex(std::string_view text, uint64_t& value, std::size_t digits) {
  if (text.size() != digits) return false;
  value = 0;
  for (char c : text) {
    int digit = HexValue(c, false);
    if (digit < 0) return false;
    value = (value << 4) | static_cast<uint64_t>(digit);
  }
  return true;
}

// A field into a text of the records: as it is, or unescaped.
template <typename Text>
bool StoreField(std::string_view field, Text& text) {
  if (field.find('\\') == std::string_view::npos) {
    text = field;
    return true;
  }
  std::string plain;
  if (!Unescape(field, plain)) return false;
  text = plain;
  return true;
}

char StatusLetter(DumpStatus status) {
  return status == DumpStatus::NoDump ? 'n' : status == DumpStatus::BadDump ? 'b' : 'g';
}

// The two letters of a ROM's or disk's status and optional mark.
bool ParseDumpFlags(std::string_view text, DumpStatus& status, bool& optional) {
  if (text.size() != 2 || (text[1] != 'o' && text[1] != '-')) return false;
  if (text[0] == 'g') {
    status = DumpStatus::Good;
  } else if (text[0] == 'b') {
    status = DumpStatus::BadDump;
  } else if (text[0] == 'n') {
    status = DumpStatus::NoDump;
  } else {
    return false;
  }
  optional = text[1] == 'o';
  return true;
}

void AppendSection(std::string& out, std::string_view name, const Section& section) {
  char line[96];
  std::snprintf(line, sizeof line, "%.*s %012llu %012llu %010lld %016llx\n", static_cast<int>(name.size()),
                name.data(), static_cast<unsigned long long>(section.Offset),
                static_cast<unsigned long long>(section.Bytes), static_cast<long long>(section.Machines),
                static_cast<unsigned long long>(section.Check));
  out += line;
}

bool ParseSection(std::string_view line, std::string_view name, Section& section) {
  std::string_view fields[5];
  std::size_t at = 0;
  for (std::string_view& field : fields) {
    if (at == std::string_view::npos) return false;
    std::size_t blank = line.find(' ', at);
    field = line.substr(at, blank == std::string_view::npos ? std::string_view::npos : blank - at);
    at = blank == std::string_view::npos ? std::string_view::npos : blank + 1;
  }
  uint64_t machines = 0;
  if (at != std::string_view::npos || fields[0] != name || fields[1].size() != 12 || fields[2].size() != 12 ||
      fields[3].size() != 10 || !ParseNumber(fields[1], section.Offset, 12) ||
      !ParseNumber(fields[2], section.Bytes, 12) || !ParseNumber(fields[3], machines, 10) || machines > 0x7FFFFFFF ||
      !ParseHex(fields[4], section.Check, 16)) {
    return false;
  }
  section.Machines = static_cast<int64_t>(machines);
  return true;
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (!NeedsEscape(c)) continue;
    out.append(text.substr(run, i - run));
    out += '\\';
    out += Hex[c >> 4];
    out += Hex[c & 15];
    run = i + 1;
  }
  out.append(text.substr(run));
}

bool Unescape(std::string_view field, std::string& text) {
  text.clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      text += field[i];
      continue;
    }
    if (i + 2 >= field.size()) return false;
    int high = HexValue(field[i + 1], true);
    int low = HexValue(field[i + 2], true);
    if (high < 0 || low < 0) return false;
    unsigned char c = static_cast<unsigned char>(high * 16 + low);
    if (!NeedsEscape(c)) return false;  // only what the writer escapes
    text += static_cast<char>(c);
    i += 2;
  }
  return true;
}

std::string HeaderText(const Header& header) {
  std::string text(Mark);
  text += "\nemulator ";
  AppendEscaped(text, header.Version);
  text += '\n';
  AppendSection(text, "summaries", header.Summaries);
  AppendSection(text, "devices", header.Devices);
  AppendSection(text, "roms", header.Roms);
  char line[32];
  std::snprintf(line, sizeof line, "check %016llx\n", static_cast<unsigned long long>(MachineCheckOf(text)));
  return text + line;
}

bool ParseHeader(std::string_view bytes, Header& header, std::size_t& size, bool& complete, bool& checked) {
  std::string_view lines[6];
  std::size_t at = 0;
  complete = false;
  checked = false;
  for (std::string_view& line : lines) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) return false;
    line = bytes.substr(at, end - at);
    at = end + 1;
  }
  complete = true;
  size = at;
  uint64_t check = 0;
  if (!lines[5].starts_with("check ") || !ParseHex(lines[5].substr(6), check, 16)) return false;
  checked = check == MachineCheckOf(bytes.substr(0, static_cast<std::size_t>(lines[5].data() - bytes.data())));
  if (!checked) return false;
  return lines[0] == Mark && lines[1].starts_with("emulator ") && Unescape(lines[1].substr(9), header.Version) &&
         ParseSection(lines[2], "summaries", header.Summaries) && ParseSection(lines[3], "devices", header.Devices) &&
         ParseSection(lines[4], "roms", header.Roms);
}

void AppendSummaryLine(std::string& out, const MachineInfo& machine) {
  const std::string_view name = machine.Name;
  const MachineSummary& summary = machine.Summary;
  AppendEscaped(out, name);
  out += '\t';
  out += summary.IsDevice ? 'd' : '-';
  out += summary.IsBios ? 'b' : '-';
  out += summary.IsMechanical ? 'm' : '-';
  out += summary.Runnable ? 'r' : '-';
  switch (summary.Status) {
    case DriverStatus::Good: out += 'g'; break;
    case DriverStatus::Imperfect: out += 'i'; break;
    case DriverStatus::Preliminary: out += 'p'; break;
    case DriverStatus::Unknown: out += '-'; break;
  }
  out += static_cast<char>('0' + summary.Rotate / 90 % 4);
  out += std::to_string(summary.Players);
  out += '\t';
  AppendEscaped(out, summary.Year);
  out += '\t';
  AppendEscaped(out, summary.Manufacturer);
  out += '\t';
  AppendEscaped(out, machine.CloneOf);
  out += '\t';
  AppendEscaped(out, machine.RomOf);
  out += '\n';
}

void AppendRomLines(std::string& out, const MachineInfo& machine) {
  out += machine.Summary.IsDevice ? DeviceMark : MachineMark;
  AppendEscaped(out, machine.Name);
  out += '\t';
  AppendEscaped(out, machine.Description);
  out += '\n';
  for (const RomFile& rom : machine.Roms) {
    out += 'r';
    AppendEscaped(out, rom.Name);
    out += '\t';
    out += std::to_string(rom.Size);
    out += '\t';
    if (rom.HasCrc) {
      for (int shift = 28; shift >= 0; shift -= 4) out += LowerHex[(rom.Crc >> shift) & 15];
    }
    out += '\t';
    AppendEscaped(out, rom.Merge);
    out += '\t';
    out += StatusLetter(rom.Status);
    out += rom.Optional ? 'o' : '-';
    out += '\n';
  }
  for (const DiskFile& disk : machine.Disks) {
    out += 'd';
    AppendEscaped(out, disk.Name);
    out += '\t';
    AppendEscaped(out, disk.Sha1);
    out += '\t';
    AppendEscaped(out, disk.Merge);
    out += '\t';
    out += StatusLetter(disk.Status);
    out += disk.Optional ? 'o' : '-';
    out += '\n';
  }
  for (const std::string& device : machine.DeviceRefs) {
    out += 'u';
    AppendEscaped(out, device);
    out += '\n';
  }
}

namespace {

// The attributes field: the four flags, the status, the rotation, players.
bool ParseAttributes(const char* p, const char* end, MachineSummary& summary) {
  if (end - p < 7) return false;
  if ((p[0] != 'd' && p[0] != '-') || (p[1] != 'b' && p[1] != '-') || (p[2] != 'm' && p[2] != '-') ||
      (p[3] != 'r' && p[3] != '-') || p[5] < '0' || p[5] > '3') {
    return false;
  }
  summary.IsDevice = p[0] == 'd';
  summary.IsBios = p[1] == 'b';
  summary.IsMechanical = p[2] == 'm';
  summary.Runnable = p[3] == 'r';
  switch (p[4]) {
    case 'g': summary.Status = DriverStatus::Good; break;
    case 'i': summary.Status = DriverStatus::Imperfect; break;
    case 'p': summary.Status = DriverStatus::Preliminary; break;
    case '-': summary.Status = DriverStatus::Unknown; break;
    default: return false;
  }
  summary.Rotate = 90 * (p[5] - '0');
  p += 6;
  if (end - p > 10 || (end - p > 1 && *p == '0')) return false;  // one way to write each count
  uint64_t players = 0;
  for (; p < end; ++p) {
    if (*p < '0' || *p > '9') return false;
    players = players * 10 + static_cast<uint64_t>(*p - '0');
  }
  if (players > 0x7FFFFFFF) return false;
  summary.Players = static_cast<int32_t>(players);
  return true;
}

// A text field into a ShortString that is empty to begin with.
inline void Store(const char* p, const char* end, ShortString& text) {
  if (end > p) text = std::string_view(p, static_cast<std::size_t>(end - p));
}

}  // namespace

const char* ParsePlainSummaryRest(const char* p, MachineSummary& summary) {
  const char* end = FieldStop(p);
  if (*end != '\t' || !ParseAttributes(p, end, summary)) return nullptr;
  // The parents are read over: the start keeps the summary only.
  ShortString* texts[4] = {&summary.Year, &summary.Manufacturer, nullptr, nullptr};
  for (int field = 0; field < 4; ++field) {
    p = end + 1;
    end = FieldStop(p);
    if ((*end == '\n') != (field == 3)) return nullptr;
    if (texts[field] != nullptr) Store(p, end, *texts[field]);
  }
  return end + 1;
}

bool ParseSummaryLine(std::string_view line, std::string& name, MachineSummary& summary, ShortString& cloneOf,
                      ShortString& romOf) {
  std::string_view fields[6];
  summary = MachineSummary();
  cloneOf.Clear();
  romOf.Clear();
  return SplitFields(line, fields, 6) && !fields[0].empty() && StoreField(fields[0], name) &&
         ParseAttributes(fields[1].data(), fields[1].data() + fields[1].size(), summary) &&
         StoreField(fields[2], summary.Year) && StoreField(fields[3], summary.Manufacturer) &&
         StoreField(fields[4], cloneOf) && StoreField(fields[5], romOf);
}

bool ParseRomLine(std::string_view line, RomFile& rom) {
  std::string_view fields[5];
  if (!SplitFields(line, fields, 5) || fields[0].empty()) return false;
  uint64_t size = 0, crc = 0;
  if (!ParseNumber(fields[1], size, 10) || size > 0xFFFFFFFFu) return false;
  rom.Size = static_cast<uint32_t>(size);
  rom.HasCrc = !fields[2].empty();
  if (rom.HasCrc && !ParseHex(fields[2], crc, 8)) return false;
  rom.Crc = static_cast<uint32_t>(crc);
  return StoreField(fields[0], rom.Name) && StoreField(fields[3], rom.Merge) &&
         ParseDumpFlags(fields[4], rom.Status, rom.Optional);
}

bool ParseDiskLine(std::string_view line, DiskFile& disk) {
  std::string_view fields[4];
  if (!SplitFields(line, fields, 4) || fields[0].empty()) return false;
  if (!fields[1].empty() && (fields[1].size() != 40 || fields[1].find_first_not_of(LowerHex) != std::string_view::npos)) {
    return false;
  }
  disk.Sha1 = fields[1];
  return StoreField(fields[0], disk.Name) && StoreField(fields[2], disk.Merge) &&
         ParseDumpFlags(fields[3], disk.Status, disk.Optional);
}

}  // namespace zeb::machine_file

