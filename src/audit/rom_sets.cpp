#include "audit/rom_sets.h"

#include <algorithm>

#include "audit/byte_source.h"
#include "audit/chd_header.h"
#include "audit/zip_directory.h"
#include "storage/crc32.h"
#include "storage/directory_list.h"

namespace zeb {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// A name as the file system compares names.
void NameKey(std::string_view name, std::string& key) {
  key.assign(name);
  if (FileNamesIgnoreCase) std::transform(key.begin(), key.end(), key.begin(), Lower);
}

// Whether `name` ends in `suffix` as the file system compares names.
bool HasSuffix(std::string_view name, std::string_view suffix) {
  if (name.size() <= suffix.size()) return false;
  std::string_view end = name.substr(name.size() - suffix.size());
  return FileNamesIgnoreCase ? SameNameIgnoringCase(end, suffix) : end == suffix;
}

// The CRC-32 of a whole file, read in pieces; false when it cannot be read
// to its stated size.
bool FileCrc(const std::string& path, uint64_t size, uint32_t& crc) {
  FileBytes file(path);
  if (!file.Opened() || file.Size() != size) return false;
  constexpr std::size_t Piece = 1 << 16;
  std::string bytes;
  crc = 0;
  for (uint64_t at = 0; at < size; at += Piece) {
    std::size_t length = static_cast<std::size_t>(std::min<uint64_t>(Piece, size - at));
    if (!file.ReadAt(at, length, bytes)) return false;
    crc = Crc32(bytes, crc);
  }
  return true;
}

}  // namespace

RomSets::RomSets(const std::vector<std::string>& directories) {
  std::string key;
  for (const std::string& directory : directories) {
    std::vector<DirectoryEntry> entries = ListDirectory(directory + "\\");
    // Within one directory a set's folder comes first, then its archives.
    std::stable_partition(entries.begin(), entries.end(), [](const DirectoryEntry& e) { return e.IsDirectory; });
    for (const DirectoryEntry& entry : entries) {
      Place place;
      std::string_view name = entry.Name;
      if (entry.IsDirectory) {
        place.Form = Kind::Folder;
      } else if (HasSuffix(name, ".zip")) {
        place.Form = Kind::Zip;
        name.remove_suffix(4);
      } else if (HasSuffix(name, ".7z")) {
        place.Form = Kind::SevenZip;
        name.remove_suffix(3);
      } else {
        continue;
      }
      place.Path = directory + "\\" + entry.Name;
      place.FileName = entry.Name;
      place.Read = place.Form == Kind::SevenZip;
      NameKey(name, key);
      sets_[key].InOrder.push_back(std::move(place));
    }
  }
}

RomSets::Places* RomSets::Find(std::string_view set) {
  if (!FileNamesIgnoreCase) {
    auto found = sets_.find(set);
    return found == sets_.end() ? nullptr : &found->second;
  }
  NameKey(set, key_);
  auto found = sets_.find(key_);
  return found == sets_.end() ? nullptr : &found->second;
}

void RomSets::ReadPlace(Place& place) {
  if (place.Read) return;
  place.Read = true;
  if (place.Form == Kind::Zip) {
    FileBytes file(place.Path);
    ZipDirectory directory = ReadZipDirectory(file);
    place.Readable = file.Opened() && directory.Readable;
    for (ZipEntry& entry : directory.Entries) {
      if (!entry.Name.empty() && entry.Name.back() == '/') continue;  // a folder inside the archive
      place.Files.push_back({entry.Crc, entry.Size, static_cast<uint32_t>(place.Names.size())});
      place.Names.push_back(std::move(entry.Name));
    }
    std::sort(place.Files.begin(), place.Files.end(),
              [](const ArchiveFile& a, const ArchiveFile& b) { return a.Crc < b.Crc; });
  } else if (place.Form == Kind::Folder) {
    std::string key;
    for (DirectoryEntry& entry : ListDirectory(place.Path + "\\")) {
      if (entry.IsDirectory) continue;
      NameKey(entry.Name, key);
      LooseFile file;
      file.Size = entry.Size;
      file.Name = std::move(entry.Name);
      place.Loose.emplace(key, std::move(file));
    }
  }
}

bool RomSets::Present(Places* set) {
  if (set == nullptr) return false;
  for (Place& place : set->InOrder) {
    ReadPlace(place);
    if (place.Readable) return true;
  }
  return false;
}

std::string RomSets::UnreadableZip(Places* set) {
  if (set == nullptr) return std::string();
  std::string unreadable;
  for (Place& place : set->InOrder) {
    ReadPlace(place);
    if (place.Readable) return std::string();
    if (unreadable.empty()) unreadable = place.FileName;
  }
  return unreadable;
}

RomSets::LooseFile* RomSets::LooseFileOf(Place& place, std::string_view name) {
  auto found = FileNamesIgnoreCase ? (NameKey(name, key_), place.Loose.find(key_)) : place.Loose.find(name);
  return found == place.Loose.end() ? nullptr : &found->second;
}

bool RomSets::LooseCrc(Place& place, LooseFile& file) {
  if (!file.CrcKnown) {
    file.CrcKnown = true;
    file.CrcReadable = FileCrc(place.Path + "\\" + file.Name, file.Size, file.Crc);
  }
  return file.CrcReadable;
}

FileLook RomSets::LookInPlace(Place& place, const RomFile& rom, WrongFile& wrong) {
  ReadPlace(place);
  switch (place.Form) {
    case Kind::SevenZip:
      return FileLook::Found;
    case Kind::Zip: {
      if (rom.HasCrc) {
        auto first = std::lower_bound(place.Files.begin(), place.Files.end(), rom.Crc,
                                      [](const ArchiveFile& file, uint32_t crc) { return file.Crc < crc; });
        for (auto file = first; file != place.Files.end() && file->Crc == rom.Crc; ++file) {
          if (file->Size == rom.Size) return FileLook::Found;
        }
      }
      for (const ArchiveFile& file : place.Files) {
        if (!SameNameIgnoringCase(place.Names[file.NameIndex], rom.Name)) continue;
        if (!rom.HasCrc && file.Size == rom.Size) return FileLook::Found;
        wrong = {file.Crc, file.Size};
        return FileLook::Incorrect;
      }
      return FileLook::Absent;
    }
    case Kind::Folder: {
      LooseFile* file = LooseFileOf(place, rom.Name);
      if (file == nullptr) return FileLook::Absent;
      if (!rom.HasCrc && file->Size == rom.Size) return FileLook::Found;
      if (!LooseCrc(place, *file)) return FileLook::Absent;
      if (file->Size == rom.Size && file->Crc == rom.Crc) return FileLook::Found;
      wrong = {file->Crc, file->Size};
      return FileLook::Incorrect;
    }
  }
  return FileLook::Absent;
}

FileLook RomSets::LookForRom(Places* set, const RomFile& rom, WrongFile* wrong) {
  if (set == nullptr) return FileLook::Absent;
  FileLook best = FileLook::Absent;
  for (Place& place : set->InOrder) {
    WrongFile held;
    FileLook look = LookInPlace(place, rom, held);
    if (look == FileLook::Found) return look;
    if (look == FileLook::Incorrect && best == FileLook::Absent) {
      best = look;
      if (wrong != nullptr) *wrong = held;
    }
  }
  return best;
}

FileLook RomSets::LookForDisk(Places* set, const DiskFile& disk, std::string& problem) {
  if (set == nullptr) return FileLook::Absent;
  FileLook best = FileLook::Absent;
  for (Place& place : set->InOrder) {
    if (place.Form != Kind::Folder) continue;
    ReadPlace(place);
    LooseFile* file = LooseFileOf(place, disk.Name + ".chd");
    if (file == nullptr) continue;
    FileBytes bytes(place.Path + "\\" + file->Name);
    ChdHeader header = ReadChdHeader(bytes);
    if (!header.Readable) {
      if (best == FileLook::Absent && problem.empty()) problem = "is not a readable CHD (" + header.Problem + ")";
      continue;
    }
    if (SameNameIgnoringCase(header.Sha1, disk.Sha1)) return FileLook::Found;
    best = FileLook::Incorrect;
    problem = "has another SHA-1";
  }
  return best;
}

}  // namespace zeb
