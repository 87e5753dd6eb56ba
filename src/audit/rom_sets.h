#pragma once
// The ROM sets in the ROM directories of the settings, as one audit sees
// them. A set is an archive named for it (`galaga.zip`, or `galaga.7z`,
// whose compressed directory is not read: everything looked for in it counts
// as there) or a folder of loose files (`galaga\`). Each directory is listed
// once, when the sets are made; an archive's directory is read when the
// audit first looks into it, a folder listed then, and a loose file's CRC-32
// computed when first needed; all of it is kept for the audit's length.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "audit/name_hash.h"
#include "machines/machine_info.h"
#include "gamedb/gamedb.h"
#include "settings/settings.h"

namespace zeb {

// What a look for one file in one set found.
enum class FileLook : unsigned char {
  Absent,     // no file of its CRC and size, none of its name
  Incorrect,  // a file of its name, of another CRC or size (or SHA-1)
  Found,
};

class RomSets {
 public:
  // Lists each directory (in the program's path form).
  explicit RomSets(const std::vector<std::string>& directories);

  // The places of one set name (its folders and archives in the
  // directories); null when no directory has any. What the looks below take,
  // so that a set's name is looked up once for all its files.
  struct Places;
  Places* Find(std::string_view set);

  // Whether some directory holds the set in a form that can be read (a
  // readable zip, a .7z, a folder).
  bool Present(Places* set);
  // The file name of the set's zip archive ("galaga.zip") when the set has
  // one that is not a readable zip and no other readable form; else empty.
  std::string UnreadableZip(Places* set);

  // Looks for a ROM file in the set: by CRC-32 and size in an archive,
  // whatever the name there; by name as a loose file, then its size and
  // CRC-32. A ROM without a CRC is looked for by name and size. For an
  // incorrect one, `wrong` (when given) tells what the file of its name
  // holds: the emulator counts a file that holds a ROM of the parent chain
  // as the parent's.
  struct WrongFile {
    uint32_t Crc = 0;
    uint64_t Size = 0;
  };
  FileLook LookForRom(Places* set, const RomFile& rom, WrongFile* wrong = nullptr);
  // Looks for `<set>\<name>.chd` among the set's loose files and compares
  // the SHA-1 its header records; `problem` tells why a file of that name
  // does not count (another SHA-1, not a readable CHD).
  FileLook LookForDisk(Places* set, const DiskFile& disk, std::string& problem);

  // The same, by the set's name.
  bool Present(std::string_view set) { return Present(Find(set)); }
  std::string UnreadableZip(std::string_view set) { return UnreadableZip(Find(set)); }
  FileLook LookForRom(std::string_view set, const RomFile& rom, WrongFile* wrong = nullptr) {
    return LookForRom(Find(set), rom, wrong);
  }
  FileLook LookForDisk(std::string_view set, const DiskFile& disk, std::string& problem) {
    return LookForDisk(Find(set), disk, problem);
  }

 private:
  enum class Kind : unsigned char { Folder, Zip, SevenZip };
  struct LooseFile {
    std::string Name;
    uint64_t Size = 0;
    bool CrcKnown = false;
    bool CrcReadable = false;
    uint32_t Crc = 0;
  };
  struct ArchiveFile {
    uint32_t Crc;
    uint64_t Size;
    uint32_t NameIndex;  // into Names
  };
  struct Place {
    Kind Form = Kind::Folder;
    std::string Path;  // of the archive or the folder
    std::string FileName;
    bool Read = false;
    bool Readable = true;
    std::vector<ArchiveFile> Files;  // an archive's, by CRC-32
    std::vector<std::string> Names;
    std::unordered_map<std::string, LooseFile, NameHash, SameName> Loose;  // a folder's, by name
  };

 public:
  struct Places {
    std::vector<Place> InOrder;
  };

 private:

  void ReadPlace(Place& place);
  FileLook LookInPlace(Place& place, const RomFile& rom, WrongFile& wrong);
  bool LooseCrc(Place& place, LooseFile& file);
  LooseFile* LooseFileOf(Place& place, std::string_view name);

  // Each set's places, in search order; the key is the set's name as
  // the file system compares names.
  std::unordered_map<std::string, Places, NameHash, SameName> sets_;
  std::string key_;  // reused for lookups
};

}  // namespace zeb
