#pragma once
// ROM sets made for tests: zip archives (stored files, with local headers
// and a central directory as any zip tool writes them, zip64 records when
// asked), folders of loose files, damaged archives, and CHD disk headers.
// A file can be made to any size and CRC-32 (its last four bytes chosen to
// reach the CRC), which the audit, like the emulator, takes for the real
// dump. Platform-free: paths are written as given.

#include <cstdint>
#include <string>
#include <vector>

#include "machines/machine_info.h"

namespace zeb::testing_support {

// `size` bytes whose CRC-32 is `crc`: zeros, then four bytes chosen to
// reach it. A file under four bytes is searched for; there is none for some
// CRC-32s, and then the test stops with a message.
std::string ForgedContents(uint32_t size, uint32_t crc);

struct SetFile {
  std::string Name;
  std::string Contents;
};

// A file of that name, size and CRC-32.
SetFile ForgedFile(const std::string& name, uint32_t size, uint32_t crc);
// The file that a ROM of the list stands for (its name, size and CRC-32).
SetFile FileFor(const RomFile& rom);
std::vector<SetFile> FilesFor(const std::vector<RomFile>& roms);

struct ZipOptions {
  bool Zip64 = false;   // zip64 end record, locator and entry fields
  std::string Comment;  // the archive's comment, after the end record
};

std::string ZipBytes(const std::vector<SetFile>& files, const ZipOptions& options = {});
// The archive of those files cut off inside its central directory.
std::string DamagedZipBytes(const std::vector<SetFile>& files);

// `<directory>/<set>.zip`, `<directory>/<set>/<file>...`, made with the
// directories they lie in.
void WriteZipSet(const std::string& directory, const std::string& set, const std::vector<SetFile>& files,
                 const ZipOptions& options = {});
void WriteFolderSet(const std::string& directory, const std::string& set, const std::vector<SetFile>& files);

// A CHD file of version 3, 4 or 5 whose header records `sha1` (40
// hexadecimal digits) as the whole disk's SHA-1, with a hunk map of one
// hunk after the header, as the emulator needs to open it.
std::string ChdBytes(int version, const std::string& sha1);

// Writes bytes to a file, making the directories it lies in.
void WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace zeb::testing_support
