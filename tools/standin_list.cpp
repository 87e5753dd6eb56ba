#include "standin_list.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "standin_games.h"
#include "standin_roms.h"
#include "storage/crc32.h"

namespace standin {

namespace {

constexpr const char* Bios = "xembios";

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

bool Named(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* one : names) {
    if (name == one) return true;
  }
  return false;
}

// A game of standin_games.h with its ROMs and the rest by the rules of
// mame_standin.cpp's header comment.
Machine KnownGame(const Game& game) {
  Machine machine;
  machine.Name = game.Name;
  machine.Description = game.Description;
  machine.Parent = game.Parent;
  machine.RomOf = game.Parent;
  machine.Year = game.Year;
  machine.Maker = game.Maker;
  const std::string& name = machine.Name;
  const std::string& parent = machine.Parent;
  const bool onBios = Named(name, {"fjordfgt", "hexhound", "quasarq", "quasarq2"});
  if (onBios && parent.empty()) machine.RomOf = Bios;
  if (Named(name, {"dizzyowl"})) return machine;  // no ROMs at all
  machine.Roms.push_back({name + ".p1", 2048, "", "", false});
  if (parent.empty()) {
    machine.Roms.push_back({name + ".g1", 1024, "", "", false});
  } else {
    // The parent's graphics: under the parent's name, or for astrobej
    // under a name of its own.
    std::string own = name == "astrobej" ? name + ".g1" : parent + ".g1";
    machine.Roms.push_back({own, 1024, parent + ".g1", "", false});
  }
  if (onBios) machine.Roms.push_back({"xembios.bin", 512, "xembios.bin", "", false});
  if (name == "moonmopb") machine.Roms.push_back({"moonmopb.pal", 260, "", "nodump", false});
  if (name == "glimmerb") machine.Roms[0].Status = "baddump";
  if (name == "blipblop") machine.Roms.push_back({"blipblop.snd", 512, "", "", true});
  if (name == "tundrtrk") machine.Disks.push_back({"tundrtrk", TundraDiskSha1});
  if (name == "crankit") machine.IsMechanical = true;
  if (name[0] >= 'a' && name[0] <= 'c') machine.Devices.push_back("xemcpu");
  machine.Devices.push_back("xemsound");
  if (Named(name, {"glimmerb", "moonmopb", "drzapa"})) machine.Status = "imperfect";
  if (Named(name, {"noodlenj", "xylofone"})) machine.Status = "preliminary";
  if (Named(name, {"waffle", "waffleo", "crankit"})) machine.Players = 1;
  if (Named(name, {"snailrly", "snailrlj"})) machine.Players = 4;
  if (Named(name, {"astrobee", "astrobej", "icicle"})) machine.Rotate = 90;
  if (name == "rocketrb") machine.Rotate = 270;
  if (name == "teapot") machine.Rotate = 180;
  return machine;
}

// The BIOS and the devices of the later generation.
void AddSystemMachines(std::vector<Machine>& games, std::vector<Machine>& devices) {
  Machine bios;
  bios.Name = Bios;
  bios.Description = "X.E.M. System BIOS";
  bios.Year = "199?";
  bios.Maker = "X.E.M.";
  bios.IsBios = true;
  bios.Players = 0;
  bios.Roms.push_back({"xembios.bin", 512, "", "", false});
  games.push_back(bios);

  Machine cpu;
  cpu.Name = "xemcpu";
  cpu.Description = "X.E.M. CPU Core";
  cpu.IsDevice = true;
  cpu.Status.clear();
  cpu.Players = 0;
  cpu.Roms.push_back({"xemcpu.bin", 256, "", "", false});
  devices.push_back(cpu);

  Machine sound = cpu;
  sound.Name = "xemsound";
  sound.Description = "X.E.M. Sound Chip";
  sound.Roms.clear();
  devices.push_back(sound);
}

// Generated machines: a name made of syllables, one per base-16 digit of
// its number (so no two share a name, and none is a known game's), with a
// suffix that varies the length. Each has one ROM of its own.
void AddGenerated(std::vector<Machine>& machines) {
  static constexpr const char* Syllables[] = {"ba", "ko", "ri", "zu", "me", "ta", "lo", "ni",
                                              "sa", "ve", "du", "pi", "go", "ha", "ju", "wy"};
  static constexpr const char* Suffixes[] = {"", "", "a", "j", "u", "set2", "deluxe", "turbo", "proto", "bootleg"};
  long count = 3000;
  if (const char* wanted = std::getenv("XEM_MACHINES"); wanted != nullptr) count = std::strtol(wanted, nullptr, 10);
  count = std::clamp(count, 0L, 200000L);
  int digits = 3;
  while ((1L << (4 * digits)) < count) ++digits;
  std::string parent;
  auto add = [&](std::string name, std::string description, std::string clonedFrom) {
    Machine machine;
    machine.Name = std::move(name);
    machine.Description = std::move(description);
    machine.Parent = clonedFrom;
    machine.RomOf = clonedFrom;
    machine.Year = "1990";
    machine.Maker = "Generated Games";
    machine.Roms.push_back({machine.Name + ".bin", 128, "", "", false});
    machine.Devices.push_back("xemsound");
    machines.push_back(std::move(machine));
  };
  for (long i = 0; i < count; ++i) {
    std::string base = "q";
    for (int d = digits - 1; d >= 0; --d) base += Syllables[(i >> (4 * d)) & 15];
    std::string suffix = Suffixes[(i / 7) % 10];
    std::string description = Capitalised(base);
    if (!suffix.empty()) description += " (" + suffix + ")";
    const bool clone = i % 5 == 4 && !parent.empty();
    add(base + suffix, description, clone ? parent : std::string());
    if (!clone) parent = base + suffix;
  }
  add("xem_seventeen_chr", "Seventeen Character Board", "");
  add("xem_soundboard_unit", "Sound Board Unit", "");
  add("xem_soundboard_unit_b", "Sound Board Unit (rev B)", "xem_soundboard_unit");
}

bool ByName(const Machine& a, const Machine& b) { return a.Name < b.Name; }

// Text for the XML list, its markup characters as references.
std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

constexpr const char* DocumentType = R"(<!DOCTYPE mame [
<!ELEMENT mame (machine+)>
	<!ATTLIST mame build CDATA #IMPLIED>
	<!ATTLIST mame debug (yes|no) "no">
	<!ATTLIST mame mameconfig CDATA #REQUIRED>
	<!-- the stand-in's own list: "]>" in a comment ends nothing -->
	<!ELEMENT machine (description, year?, manufacturer?, rom*, disk*, device_ref*, display*, input?, driver?)>
		<!ATTLIST machine name CDATA #REQUIRED>
		<!ATTLIST machine sourcefile CDATA #IMPLIED>
		<!ATTLIST machine isbios (yes|no) "no">
		<!ATTLIST machine isdevice (yes|no) "no">
		<!ATTLIST machine ismechanical (yes|no) "no">
		<!ATTLIST machine runnable (yes|no) "yes">
		<!ATTLIST machine cloneof CDATA #IMPLIED>
		<!ATTLIST machine romof CDATA #IMPLIED>
		<!ELEMENT description (#PCDATA)>
		<!ELEMENT year (#PCDATA)>
		<!ELEMENT manufacturer (#PCDATA)>
		<!ELEMENT rom EMPTY>
			<!ATTLIST rom name CDATA #REQUIRED>
			<!ATTLIST rom size CDATA #REQUIRED>
			<!ATTLIST rom crc CDATA #IMPLIED>
			<!ATTLIST rom merge CDATA #IMPLIED>
			<!ATTLIST rom region CDATA #IMPLIED>
			<!ATTLIST rom status (baddump|nodump|good) "good">
			<!ATTLIST rom optional (yes|no) "no">
		<!ELEMENT disk EMPTY>
			<!ATTLIST disk name CDATA #REQUIRED>
			<!ATTLIST disk sha1 CDATA #IMPLIED>
			<!ATTLIST disk region CDATA #IMPLIED>
			<!ATTLIST disk status (baddump|nodump|good) "good">
		<!ELEMENT device_ref EMPTY>
			<!ATTLIST device_ref name CDATA #REQUIRED>
		<!ELEMENT display EMPTY>
			<!ATTLIST display type (raster|vector|lcd|svg|unknown) #REQUIRED>
			<!ATTLIST display rotate (0|90|180|270) #IMPLIED>
		<!ELEMENT input (control*)>
			<!ATTLIST input players CDATA #REQUIRED>
		<!ELEMENT driver EMPTY>
			<!ATTLIST driver status (good|imperfect|preliminary) #REQUIRED>
]>
)";

}  // namespace

std::vector<Machine> ListedMachines(bool modern) {
  std::vector<Machine> games, devices;
  for (const Game& game : Games) games.push_back(KnownGame(game));
  if (modern) {
    AddSystemMachines(games, devices);
    AddGenerated(games);
  }
  std::sort(games.begin(), games.end(), ByName);
  std::sort(devices.begin(), devices.end(), ByName);
  games.insert(games.end(), devices.begin(), devices.end());
  return games;
}

void PrintListXml(const std::vector<Machine>& machines) {
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  std::printf("<?xml version=\"1.0\"?>\n%s\n<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n",
              DocumentType);
  for (const Machine& machine : machines) {
    std::string out = "\t<machine name=\"" + machine.Name + "\" sourcefile=\"xem/" + machine.Name + ".cpp\"";
    if (machine.IsBios) out += " isbios=\"yes\"";
    if (machine.IsDevice) out += " isdevice=\"yes\" runnable=\"no\"";
    if (machine.IsMechanical) out += " ismechanical=\"yes\"";
    if (!machine.Parent.empty()) out += " cloneof=\"" + machine.Parent + "\"";
    if (!machine.RomOf.empty()) out += " romof=\"" + machine.RomOf + "\"";
    out += ">\n\t\t<description>" + Escaped(machine.Description) + "</description>\n";
    if (!machine.Year.empty()) out += "\t\t<year>" + Escaped(machine.Year) + "</year>\n";
    if (!machine.Maker.empty()) out += "\t\t<manufacturer>" + Escaped(machine.Maker) + "</manufacturer>\n";
    for (const RomEntry& rom : machine.Roms) {
      out += "\t\t<rom name=\"" + rom.Name + "\"";
      if (!rom.Merge.empty()) out += " merge=\"" + rom.Merge + "\"";
      out += " size=\"" + std::to_string(rom.Size) + "\"";
      if (rom.Status != "nodump") {
        char crc[16];
        uint32_t value = zeb::Crc32(RomBytes(rom.Merge.empty() ? rom.Name : rom.Merge, rom.Size));
        std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(value));
        out += std::string(" crc=\"") + crc + "\"";
      }
      out += " region=\"maincpu\"";
      if (!rom.Status.empty()) out += " status=\"" + rom.Status + "\"";
      if (rom.Optional) out += " optional=\"yes\"";
      out += "/>\n";
    }
    for (const DiskEntry& disk : machine.Disks) {
      out += "\t\t<disk name=\"" + disk.Name + "\" sha1=\"" + disk.Sha1 + "\" region=\"ide:0:hdd\" index=\"0\" " +
             "writable=\"no\"/>\n";
    }
    for (const std::string& device : machine.Devices) out += "\t\t<device_ref name=\"" + device + "\"/>\n";
    if (!machine.IsDevice) {
      out += "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"" + std::to_string(machine.Rotate) +
             "\" width=\"256\" height=\"224\" refresh=\"60.000000\" />\n";
      out += "\t\t<input players=\"" + std::to_string(machine.Players) + "\" coins=\"2\">\n";
      for (int player = 1; player <= machine.Players; ++player) {
        out += "\t\t\t<control type=\"joy\" player=\"" + std::to_string(player) + "\" buttons=\"2\" ways=\"8\"/>\n";
      }
      out += "\t\t</input>\n";
      out += "\t\t<driver status=\"" + machine.Status + "\" emulation=\"" + machine.Status +
             "\" savestate=\"supported\"/>\n";
    }
    out += "\t</machine>\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  std::printf("</mame>\n");
}

}  // namespace standin
