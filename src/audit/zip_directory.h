#pragma once
// What a zip archive's central directory says of its files: names, CRC-32s
// and sizes, read from the end record (and the zip64 end record and its
// locator when there are), without reading or unpacking any file's data.
// Every size and offset the archive states is checked against the archive
// before it is used; an archive that spans several disks, or whose records
// do not fit together, is not a readable zip.

#include <cstdint>
#include <string>
#include <vector>

#include "audit/byte_source.h"

namespace zeb {

struct ZipEntry {
  std::string Name;  // as the archive records it, "/" between folders
  uint32_t Crc = 0;
  uint64_t CompressedSize = 0;
  uint64_t Size = 0;  // unpacked
};

struct ZipDirectory {
  bool Readable = false;
  std::string Problem;  // why it is not, for a message ("no end record")
  std::vector<ZipEntry> Entries;  // in the order of the central directory
};

// The largest central directory read (a real one of 65,535 files is a few
// megabytes): a larger stated size counts as damage.
constexpr uint64_t MaxCentralDirectoryBytes = 64u << 20;

ZipDirectory ReadZipDirectory(ByteSource& archive);

}  // namespace zeb
