#include "machines/machine_list.h"

#include <utility>

#include "gamedb/code_page.h"

namespace zeb {

namespace {

// A decimal number of 1 to 10 digits below 2^32.
bool ParseDecimal(std::string_view text, uint32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + static_cast<uint64_t>(c - '0');
  }
  if (number > 0xFFFFFFFFu) return false;
  value = static_cast<uint32_t>(number);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Exactly 8 hexadecimal digits, either case.
bool ParseCrc(std::string_view text, uint32_t& value) {
  if (text.size() != 8) return false;
  value = 0;
  for (char c : text) {
    int digit = HexDigit(c);
    if (digit < 0) return false;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  return true;
}

// Exactly 40 hexadecimal digits, kept in lower case.
bool ParseSha1(std::string_view text, std::string& value) {
  if (text.size() != 40) return false;
  value.resize(40);
  for (std::size_t i = 0; i < 40; ++i) {
    int digit = HexDigit(text[i]);
    if (digit < 0) return false;
    value[i] = "0123456789abcdef"[digit];
  }
  return true;
}

DumpStatus DumpStatusOf(std::string_view text) {
  if (text == "baddump") return DumpStatus::BadDump;
  if (text == "nodump") return DumpStatus::NoDump;
  return DumpStatus::Good;
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text.substr(0, 40));
  quoted += '"';
  return quoted;
}

}  // namespace

MachineListReader::MachineListReader(std::function<void(MachineInfo&)> take) : xml_(*this), take_(std::move(take)) {}

bool MachineListReader::Finish() { return xml_.Finish(); }

void MachineListReader::Fault(const std::string& message) {
  xml_.Fail("machine " + machine_.Name.substr(0, 40) + ": " + message);
}

void MachineListReader::StartElement(std::string_view name, std::span<const XmlAttribute> attributes) {
  ++depth_;
  if (depth_ == 3 && inMachine_) {
    ReadPart(name, attributes);
  } else if (depth_ == 2) {
    if (name == "machine" || name == "game") StartMachine(attributes);
  } else if (depth_ == 1) {
    if (name != "mame") {
      xml_.Fail("the list's root is <" + std::string(name.substr(0, 40)) + ">, not the emulator's <mame>");
      return;
    }
    for (const XmlAttribute& attribute : attributes) {
      if (attribute.Name == "build") build_ = attribute.Value;
    }
    rootRead_ = true;
  }
}

void MachineListReader::StartMachine(std::span<const XmlAttribute> attributes) {
  machine_.Name.clear();
  machine_.Description.clear();
  machine_.Summary = MachineSummary();
  machine_.Roms.clear();
  machine_.Disks.clear();
  machine_.DeviceRefs.clear();
  rotateRead_ = false;
  MachineSummary& summary = machine_.Summary;
  for (const XmlAttribute& attribute : attributes) {
    const std::string_view key = attribute.Name;
    const std::string_view value = attribute.Value;
    if (key == "name") {
      machine_.Name = value;
    } else if (key == "cloneof") {
      machine_.CloneOf = value;
    } else if (key == "romof") {
      machine_.RomOf = value;
    } else if (key == "isbios") {
      summary.IsBios = value == "yes";
    } else if (key == "isdevice") {
      summary.IsDevice = value == "yes";
    } else if (key == "ismechanical") {
      summary.IsMechanical = value == "yes";
    } else if (key == "runnable") {
      summary.Runnable = value != "no";
    }
  }
  if (machine_.Name.empty()) {
    xml_.Fail("a machine without a name");
    return;
  }
  inMachine_ = true;
}

void MachineListReader::ReadPart(std::string_view name, std::span<const XmlAttribute> attributes) {
  if (name == "rom") {
    ReadRom(attributes);
  } else if (name == "device_ref") {
    for (const XmlAttribute& attribute : attributes) {
      if (attribute.Name == "name") {
        if (!attribute.Value.empty()) {
          machine_.DeviceRefs.emplace_back(attribute.Value);
          return;
        }
      }
    }
    Fault("a device reference without a name");
  } else if (name == "description") {
    field_ = Field::Description;
    text_.clear();
  } else if (name == "year") {
    field_ = Field::Year;
    text_.clear();
  } else if (name == "manufacturer") {
    field_ = Field::Manufacturer;
    text_.clear();
  } else if (name == "disk") {
    ReadDisk(attributes);
  } else if (name == "driver") {
    for (const XmlAttribute& attribute : attributes) {
      if (attribute.Name != "status") continue;
      DriverStatus& status = machine_.Summary.Status;
      if (attribute.Value == "good") status = DriverStatus::Good;
      if (attribute.Value == "imperfect") status = DriverStatus::Imperfect;
      if (attribute.Value == "preliminary") status = DriverStatus::Preliminary;
    }
  } else if (name == "input") {
    for (const XmlAttribute& attribute : attributes) {
      if (attribute.Name != "players") continue;
      uint32_t players;
      if (!ParseDecimal(attribute.Value, players) || players > 0x7FFFFFFF) {
        Fault("the player count " + Quoted(attribute.Value) + " is no number");
        return;
      }
      machine_.Summary.Players = static_cast<int32_t>(players);
    }
  } else if (name == "display" && !rotateRead_) {
    for (const XmlAttribute& attribute : attributes) {
      if (attribute.Name != "rotate") continue;
      uint32_t rotate;
      if (!ParseDecimal(attribute.Value, rotate) || (rotate != 0 && rotate != 90 && rotate != 180 && rotate != 270)) {
        Fault("the display's rotation " + Quoted(attribute.Value) + " is not 0, 90, 180 or 270");
        return;
      }
      machine_.Summary.Rotate = static_cast<int32_t>(rotate);
      rotateRead_ = true;
    }
  }
}

void MachineListReader::ReadRom(std::span<const XmlAttribute> attributes) {
  RomFile& rom = machine_.Roms.emplace_back();
  std::string_view size, crc;
  bool sized = false, hasCrc = false;
  for (const XmlAttribute& attribute : attributes) {
    const std::string_view key = attribute.Name;
    switch (key.empty() ? 0 : key[0]) {
      case 'n':
        if (key == "name") rom.Name = attribute.Value;
        break;
      case 's':
        if (key == "size") {
          size = attribute.Value;
          sized = true;
        } else if (key == "status") {
          rom.Status = DumpStatusOf(attribute.Value);
        }
        break;
      case 'c':
        if (key == "crc") {
          crc = attribute.Value;
          hasCrc = true;
        }
        break;
      case 'm':
        if (key == "merge") rom.Merge = attribute.Value;
        break;
      case 'o':
        if (key == "optional") rom.Optional = attribute.Value == "yes";
        break;
      default: break;
    }
  }
  if (rom.Name.empty()) return Fault("a ROM without a name");
  if (!sized) return Fault("the ROM " + rom.Name + " has no size");
  if (!ParseDecimal(size, rom.Size)) return Fault("the ROM " + rom.Name + " has the size " + Quoted(size) + ", no number");
  if (hasCrc) {
    if (!ParseCrc(crc, rom.Crc)) return Fault("the ROM " + rom.Name + " has the CRC " + Quoted(crc) + ", not 8 hex digits");
    rom.HasCrc = true;
  }
}

void MachineListReader::ReadDisk(std::span<const XmlAttribute> attributes) {
  DiskFile& disk = machine_.Disks.emplace_back();
  for (const XmlAttribute& attribute : attributes) {
    const std::string_view key = attribute.Name;
    if (key == "name") {
      disk.Name = attribute.Value;
    } else if (key == "sha1") {
      if (!ParseSha1(attribute.Value, disk.Sha1)) {
        return Fault("a disk has the SHA-1 " + Quoted(attribute.Value) + ", not 40 hex digits");
      }
    } else if (key == "merge") {
      disk.Merge = attribute.Value;
    } else if (key == "status") {
      disk.Status = DumpStatusOf(attribute.Value);
    } else if (key == "optional") {
      disk.Optional = attribute.Value == "yes";
    }
  }
  if (disk.Name.empty()) Fault("a disk without a name");
}

void MachineListReader::Text(std::string_view text) {
  if (field_ != Field::None && depth_ == 3) text_.append(text);
}

void MachineListReader::EndElement(std::string_view /*name*/) {
  if (depth_ == 3 && field_ != Field::None) {
    switch (field_) {
      case Field::Description: machine_.Description = CodePage437FromUtf8(text_); break;
      case Field::Year: StoreListText(machine_.Summary.Year, text_); break;
      case Field::Manufacturer: StoreListText(machine_.Summary.Manufacturer, text_); break;
      case Field::None: break;
    }
    field_ = Field::None;
  } else if (depth_ == 2 && inMachine_) {
    inMachine_ = false;
    ++machines_;
    take_(machine_);
  }
  --depth_;
}

}  // namespace zeb
