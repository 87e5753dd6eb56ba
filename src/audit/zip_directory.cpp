#include "audit/zip_directory.h"

#include <algorithm>
#include <string_view>

namespace zeb {

namespace {

constexpr std::size_t EndRecordSize = 22;
constexpr std::size_t MaxCommentSize = 65535;
constexpr std::size_t Zip64LocatorSize = 20;
constexpr std::size_t Zip64EndRecordSize = 56;
constexpr std::size_t CentralEntrySize = 46;
constexpr std::size_t LocalHeaderSize = 30;

constexpr std::string_view EndSignature = "PK\x05\x06";
constexpr std::string_view Zip64EndSignature = "PK\x06\x06";
constexpr std::string_view Zip64LocatorSignature = "PK\x06\x07";
constexpr std::string_view CentralSignature = "PK\x01\x02";

// Little-endian fields; the caller has checked that they lie within `bytes`.
uint64_t Field(std::string_view bytes, std::size_t at, int width) {
  uint64_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

ZipDirectory Unreadable(std::string problem) {
  ZipDirectory directory;
  directory.Problem = std::move(problem);
  return directory;
}

// Where the directory lies, as the end records state it.
struct DirectoryPlace {
  uint64_t Entries = 0;
  uint64_t Size = 0;
  uint64_t Offset = 0;
  uint64_t End = 0;  // where the records after the directory begin
};

// The zip64 end record that the locator before the end record points at.
// False with `problem` set when it is damaged.
bool ReadZip64Place(ByteSource& archive, uint64_t locatorAt, DirectoryPlace& place, std::string& problem) {
  std::string locator;
  if (!archive.ReadAt(locatorAt, Zip64LocatorSize, locator)) {
    problem = "cannot read the zip64 locator";
    return false;
  }
  uint64_t recordAt = Field(locator, 8, 8);
  if (Field(locator, 4, 4) != 0 || Field(locator, 16, 4) > 1) {
    problem = "the archive spans several disks";
    return false;
  }
  std::string record;
  if (recordAt > locatorAt || locatorAt - recordAt < Zip64EndRecordSize ||
      !archive.ReadAt(recordAt, Zip64EndRecordSize, record) || record.substr(0, 4) != Zip64EndSignature) {
    problem = "the zip64 end record is missing";
    return false;
  }
  if (Field(record, 16, 4) != 0 || Field(record, 20, 4) != 0 || Field(record, 24, 8) != Field(record, 32, 8)) {
    problem = "the archive spans several disks";
    return false;
  }
  place.Entries = Field(record, 32, 8);
  place.Size = Field(record, 40, 8);
  place.Offset = Field(record, 48, 8);
  place.End = recordAt;
  return true;
}

// An entry's 64-bit values from its zip64 extra field, for those of its
// fixed fields that hold all ones, in the order the format gives them.
bool ReadZip64Values(std::string_view extra, uint64_t* values[], const bool wanted[], int count) {
  std::size_t at = 0;
  while (at + 4 <= extra.size()) {
    uint64_t id = Field(extra, at, 2);
    std::size_t length = static_cast<std::size_t>(Field(extra, at + 2, 2));
    at += 4;
    if (length > extra.size() - at) return false;
    if (id == 1) {
      std::size_t field = at;
      for (int i = 0; i < count; ++i) {
        if (!wanted[i]) continue;
        int width = i == 3 ? 4 : 8;
        if (field + static_cast<std::size_t>(width) > at + length) return false;
        *values[i] = Field(extra, field, width);
        field += static_cast<std::size_t>(width);
      }
      return true;
    }
    at += length;
  }
  return false;
}

// The directory that the end record at `endAt` describes.
ZipDirectory ReadFromEndRecord(ByteSource& archive, std::string_view end, uint64_t endAt) {
  DirectoryPlace place;
  place.Entries = Field(end, 10, 2);
  place.Size = Field(end, 12, 4);
  place.Offset = Field(end, 16, 4);
  place.End = endAt;
  bool spans = Field(end, 4, 2) != 0 || Field(end, 6, 2) != 0 || Field(end, 8, 2) != Field(end, 10, 2);
  bool maxed = Field(end, 10, 2) == 0xFFFF || place.Size == 0xFFFFFFFF || place.Offset == 0xFFFFFFFF;

  std::string locator;
  bool hasLocator = endAt >= Zip64LocatorSize && archive.ReadAt(endAt - Zip64LocatorSize, 4, locator) &&
                    locator == Zip64LocatorSignature;
  if (hasLocator) {
    std::string problem;
    if (!ReadZip64Place(archive, endAt - Zip64LocatorSize, place, problem)) return Unreadable(problem);
  } else if (maxed) {
    return Unreadable("the zip64 end record is missing");
  } else if (spans) {
    return Unreadable("the archive spans several disks");
  }

  if (place.Offset > place.End || place.Size > place.End - place.Offset) {
    return Unreadable("the central directory lies outside the archive");
  }
  if (place.Size > MaxCentralDirectoryBytes) return Unreadable("the central directory is too large");
  if (place.Entries > place.Size / CentralEntrySize) return Unreadable("more entries than the directory holds");

  std::string directory;
  if (!archive.ReadAt(place.Offset, static_cast<std::size_t>(place.Size), directory)) {
    return Unreadable("cannot read the central directory");
  }
  ZipDirectory result;
  result.Entries.reserve(static_cast<std::size_t>(place.Entries));
  std::size_t next = 0;
  for (uint64_t n = 0; n < place.Entries; ++n) {
    if (directory.size() - next < CentralEntrySize || std::string_view(directory).substr(next, 4) != CentralSignature) {
      return Unreadable("a damaged central directory entry");
    }
    std::string_view fixed = std::string_view(directory).substr(next, CentralEntrySize);
    std::size_t nameLength = static_cast<std::size_t>(Field(fixed, 28, 2));
    std::size_t extraLength = static_cast<std::size_t>(Field(fixed, 30, 2));
    std::size_t commentLength = static_cast<std::size_t>(Field(fixed, 32, 2));
    std::size_t variable = nameLength + extraLength + commentLength;
    if (directory.size() - next - CentralEntrySize < variable) return Unreadable("a damaged central directory entry");

    ZipEntry entry;
    entry.Name.assign(directory, next + CentralEntrySize, nameLength);
    entry.Crc = static_cast<uint32_t>(Field(fixed, 16, 4));
    entry.CompressedSize = Field(fixed, 20, 4);
    entry.Size = Field(fixed, 24, 4);
    uint64_t disk = Field(fixed, 34, 2);
    uint64_t localAt = Field(fixed, 42, 4);
    uint64_t* values[] = {&entry.Size, &entry.CompressedSize, &localAt, &disk};
    const bool wanted[] = {entry.Size == 0xFFFFFFFF, entry.CompressedSize == 0xFFFFFFFF, localAt == 0xFFFFFFFF,
                           disk == 0xFFFF};
    if (wanted[0] || wanted[1] || wanted[2] || wanted[3]) {
      std::string_view extra = std::string_view(directory).substr(next + CentralEntrySize + nameLength, extraLength);
      if (!ReadZip64Values(extra, values, wanted, 4)) return Unreadable("a damaged zip64 entry");
    }
    if (disk != 0) return Unreadable("the archive spans several disks");
    // The file's data (after a local header) lies before the directory.
    if (localAt > place.Offset || place.Offset - localAt < LocalHeaderSize ||
        entry.CompressedSize > place.Offset - localAt - LocalHeaderSize) {
      return Unreadable("an entry's data lies outside the archive");
    }
    result.Entries.push_back(std::move(entry));
    next += CentralEntrySize + variable;
  }
  result.Readable = true;
  return result;
}

}  // namespace

// The end record: the archive's last 22 bytes when they are one without a
// comment and its directory reads (as zip tools take it, and nearly every
// archive ends so). Else, of those whose comment ends exactly at the
// archive's end, the first whose directory reads (a comment may hold bytes
// that look like another end record, and the first one encloses them); else,
// for bytes added after an archive, the last one whose comment fits and
// whose directory reads.
ZipDirectory ReadZipDirectory(ByteSource& archive) {
  uint64_t size = archive.Size();
  if (size < EndRecordSize) return Unreadable("too short for a zip archive");
  std::size_t span = static_cast<std::size_t>(std::min<uint64_t>(size, EndRecordSize + MaxCommentSize));
  uint64_t tailStart = size - span;
  std::string tail;
  // The common case, an archive without a comment, needs only 22 bytes.
  bool plain = archive.ReadAt(size - EndRecordSize, EndRecordSize, tail) && tail.substr(0, 4) == EndSignature &&
               Field(tail, 20, 2) == 0;
  if (plain) {
    ZipDirectory directory = ReadFromEndRecord(archive, tail, size - EndRecordSize);
    if (directory.Readable || span == EndRecordSize) return directory;
  }
  if (!archive.ReadAt(tailStart, span, tail)) return Unreadable("cannot read the archive's end");
  std::vector<std::size_t> exact, loose;
  for (std::size_t candidate = 0; candidate + EndRecordSize <= span; ++candidate) {
    std::string_view end = std::string_view(tail).substr(candidate, EndRecordSize);
    if (end.substr(0, 4) != EndSignature) continue;
    uint64_t comment = Field(end, 20, 2), after = span - candidate - EndRecordSize;
    if (comment == after) exact.push_back(candidate);
    if (comment < after) loose.insert(loose.begin(), candidate);
  }
  std::string problem;
  for (const std::vector<std::size_t>* candidates : {&exact, &loose}) {
    for (std::size_t candidate : *candidates) {
      ZipDirectory directory =
          ReadFromEndRecord(archive, std::string_view(tail).substr(candidate, EndRecordSize), tailStart + candidate);
      if (directory.Readable) return directory;
      if (problem.empty()) problem = std::move(directory.Problem);
    }
  }
  return Unreadable(problem.empty() ? "no end record" : problem);
}

}  // namespace zeb
