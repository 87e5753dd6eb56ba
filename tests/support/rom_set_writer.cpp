#include "support/rom_set_writer.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "storage/crc32.h"

namespace zeb::testing_support {

namespace {

[[noreturn]] void Stop(const std::string& message) {
  std::fprintf(stderr, "rom_set_writer: %s\n", message.c_str());
  std::abort();
}

void Put(std::string& out, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutBigEndian(std::string& out, uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string ForgedContents(uint32_t size, uint32_t crc) {
  if (size < 4) {
    std::string bytes(size, '\0');
    for (uint32_t value = 0; value < (1u << (8 * size)); ++value) {
      for (uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
      if (Crc32(bytes) == crc) return bytes;
    }
    Stop("no file of " + std::to_string(size) + " bytes has that CRC-32");
  }
  std::string bytes(size - 4, '\0');
  // The register after the zeros, and the register that the last four bytes
  // must lead to, walked back four steps: each table entry's top byte
  // tells which entry a step used.
  uint32_t reached = ~Crc32(bytes);
  uint32_t wanted = ~crc;
  for (int step = 0; step < 4; ++step) {
    uint32_t entry = 0;
    while ((Crc32Table()[entry] >> 24) != (wanted >> 24)) ++entry;
    wanted = ((wanted ^ Crc32Table()[entry]) << 8) | entry;
  }
  Put(bytes, wanted ^ reached, 4);
  return bytes;
}

SetFile ForgedFile(const std::string& name, uint32_t size, uint32_t crc) { return {name, ForgedContents(size, crc)}; }

SetFile FileFor(const RomFile& rom) { return ForgedFile(rom.Name, rom.Size, rom.Crc); }

std::vector<SetFile> FilesFor(const std::vector<RomFile>& roms) {
  std::vector<SetFile> files;
  for (const RomFile& rom : roms) {
    if (rom.HasCrc) files.push_back(FileFor(rom));
  }
  return files;
}

std::string ZipBytes(const std::vector<SetFile>& files, const ZipOptions& options) {
  std::string archive;
  std::string directory;
  const uint64_t all = options.Zip64 ? 0xFFFFFFFF : 0;
  for (const SetFile& file : files) {
    uint64_t offset = archive.size();
    uint32_t crc = Crc32(file.Contents);
    uint64_t size = file.Contents.size();
    std::string localExtra;
    std::string centralExtra;
    if (options.Zip64) {
      Put(localExtra, 1, 2);
      Put(localExtra, 16, 2);
      Put(localExtra, size, 8);
      Put(localExtra, size, 8);
      Put(centralExtra, 1, 2);
      Put(centralExtra, 24, 2);
      Put(centralExtra, size, 8);
      Put(centralExtra, size, 8);
      Put(centralExtra, offset, 8);
    }
    archive += "PK\x03\x04";
    Put(archive, options.Zip64 ? 45 : 20, 2);  // version needed
    Put(archive, 0, 2);                        // flags
    Put(archive, 0, 2);                        // stored
    Put(archive, 0, 4);                        // time and date
    Put(archive, crc, 4);
    Put(archive, all | size, 4);
    Put(archive, all | size, 4);
    Put(archive, file.Name.size(), 2);
    Put(archive, localExtra.size(), 2);
    archive += file.Name + localExtra + file.Contents;

    directory += "PK\x01\x02";
    Put(directory, 20, 2);  // made by
    Put(directory, options.Zip64 ? 45 : 20, 2);
    Put(directory, 0, 2);
    Put(directory, 0, 2);
    Put(directory, 0, 4);
    Put(directory, crc, 4);
    Put(directory, all | size, 4);
    Put(directory, all | size, 4);
    Put(directory, file.Name.size(), 2);
    Put(directory, centralExtra.size(), 2);
    Put(directory, 0, 2);  // comment
    Put(directory, 0, 2);  // disk
    Put(directory, 0, 2);  // internal attributes
    Put(directory, 0, 4);  // external attributes
    Put(directory, all | offset, 4);
    directory += file.Name + centralExtra;
  }
  uint64_t directoryAt = archive.size();
  archive += directory;
  if (options.Zip64) {
    uint64_t recordAt = archive.size();
    archive += "PK\x06\x06";
    Put(archive, 44, 8);  // size of the rest of the record
    Put(archive, 45, 2);
    Put(archive, 45, 2);
    Put(archive, 0, 4);
    Put(archive, 0, 4);
    Put(archive, files.size(), 8);
    Put(archive, files.size(), 8);
    Put(archive, directory.size(), 8);
    Put(archive, directoryAt, 8);
    archive += "PK\x06\x07";
    Put(archive, 0, 4);
    Put(archive, recordAt, 8);
    Put(archive, 1, 4);
  }
  archive += "PK\x05\x06";
  Put(archive, 0, 2);
  Put(archive, 0, 2);
  Put(archive, options.Zip64 ? 0xFFFF : files.size(), 2);
  Put(archive, options.Zip64 ? 0xFFFF : files.size(), 2);
  Put(archive, all | directory.size(), 4);
  Put(archive, all | directoryAt, 4);
  Put(archive, options.Comment.size(), 2);
  archive += options.Comment;
  return archive;
}

std::string DamagedZipBytes(const std::vector<SetFile>& files) {
  std::string archive = ZipBytes(files);
  std::size_t directoryAt = archive.rfind("PK\x01\x02");
  if (directoryAt == std::string::npos) return archive.substr(0, archive.size() / 2);
  return archive.substr(0, directoryAt + 10);
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Stop("cannot write " + path);
}

void WriteZipSet(const std::string& directory, const std::string& set, const std::vector<SetFile>& files,
                 const ZipOptions& options) {
  WriteWholeFile(directory + "/" + set + ".zip", ZipBytes(files, options));
}

void WriteFolderSet(const std::string& directory, const std::string& set, const std::vector<SetFile>& files) {
  std::filesystem::create_directories(directory + "/" + set);
  for (const SetFile& file : files) WriteWholeFile(directory + "/" + set + "/" + file.Name, file.Contents);
}

std::string ChdBytes(int version, const std::string& sha1) {
  if (version < 3 || version > 5 || sha1.size() != 40) Stop("a CHD header of version 3 to 5 and 40 digits");
  std::string digest;
  for (std::size_t i = 0; i < 40; i += 2) digest += static_cast<char>(std::stoi(sha1.substr(i, 2), nullptr, 16));
  constexpr uint32_t HunkBytes = 512;
  std::string chd = "MComprHD";
  const uint32_t lengths[] = {120, 108, 124};
  uint32_t length = lengths[version - 3];
  PutBigEndian(chd, length, 4);
  PutBigEndian(chd, static_cast<uint64_t>(version), 4);
  if (version == 5) {
    chd += std::string(16, '\0');     // no compression
    PutBigEndian(chd, HunkBytes, 8);  // logical bytes
    PutBigEndian(chd, length, 8);     // the map right after the header
    PutBigEndian(chd, 0, 8);          // no metadata
    PutBigEndian(chd, HunkBytes, 4);  // hunk bytes
    PutBigEndian(chd, HunkBytes, 4);  // unit bytes
    chd += digest;                    // raw SHA-1 (the data's)
    chd += digest;                    // SHA-1 of the whole disk
    chd += std::string(20, '\0');     // no parent
    PutBigEndian(chd, 1, 4);          // the one hunk, at 1 x 512 bytes
    chd.resize(HunkBytes, '\0');
  } else {
    PutBigEndian(chd, 0, 4);          // flags
    PutBigEndian(chd, 0, 4);          // no compression
    PutBigEndian(chd, 1, 4);          // one hunk
    PutBigEndian(chd, HunkBytes, 8);  // logical bytes
    PutBigEndian(chd, 0, 8);          // no metadata
    if (version == 3) {
      chd += std::string(32, '\0');  // MD5s
      PutBigEndian(chd, HunkBytes, 4);
      chd += digest;
      chd += std::string(20, '\0');
    } else {
      PutBigEndian(chd, HunkBytes, 4);
      chd += digest;
      chd += std::string(20, '\0');
      chd += digest;  // raw SHA-1
    }
    PutBigEndian(chd, length + 32, 8);  // the map entry: the hunk's offset,
    PutBigEndian(chd, 0, 4);            // its CRC-32,
    PutBigEndian(chd, HunkBytes, 2);    // its length,
    chd += '\0';
    chd += '\x02';                      // stored uncompressed
    chd += "EndOfListCookie";
    chd += '\0';
  }
  chd += std::string(HunkBytes, '\0');
  return chd;
}

}  // namespace zeb::testing_support
