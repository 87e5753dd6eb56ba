// The zip central directory reader.
//
// The input is read as an archive, from memory and (one input in eight)
// from a file: it must give the same directory both ways and twice, and a
// readable one holds no more entries than its bytes can, none larger than
// the archive for its packed size. Then the input is made into the files of
// an archive (names and contents cut from it, zip64 records and a comment
// for some inputs) written as zip tools write them: the reader must give
// back exactly those files, and no shorter prefix of the archive may read as
// the same archive.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "audit/byte_source.h"
#include "audit/zip_directory.h"
#include "fuzz/fuzz_support.h"
#include "storage/crc32.h"
#include "support/rom_set_writer.h"

namespace zeb::fuzz {
namespace {

bool Same(const ZipDirectory& a, const ZipDirectory& b) {
  if (a.Readable != b.Readable || a.Problem != b.Problem || a.Entries.size() != b.Entries.size()) return false;
  for (std::size_t i = 0; i < a.Entries.size(); ++i) {
    const ZipEntry& x = a.Entries[i];
    const ZipEntry& y = b.Entries[i];
    if (x.Name != y.Name || x.Crc != y.Crc || x.Size != y.Size || x.CompressedSize != y.CompressedSize) return false;
  }
  return true;
}

ZipDirectory FromMemory(std::string_view bytes) {
  MemoryBytes source(bytes);
  return ReadZipDirectory(source);
}

void CheckAsArchive(std::string_view input, uint64_t hash) {
  ZipDirectory read = FromMemory(input);
  ZEB_FUZZ_CHECK(Same(read, FromMemory(input)));
  ZEB_FUZZ_CHECK(read.Readable == read.Problem.empty());
  ZEB_FUZZ_CHECK(read.Readable || read.Entries.empty());
  ZEB_FUZZ_CHECK(read.Entries.size() <= input.size() / 46);
  for (const ZipEntry& entry : read.Entries) {
    ZEB_FUZZ_CHECK(entry.Name.size() <= 65535);
    ZEB_FUZZ_CHECK(entry.CompressedSize <= input.size());
  }
  if (hash % 8 == 0) {
    static const std::string path = PrivateDir() + "/archive.zip";
    WriteFile(path, input);
    FileBytes file(path);
    ZEB_FUZZ_CHECK(file.Opened() && file.Size() == input.size());
    ZEB_FUZZ_CHECK(Same(read, ReadZipDirectory(file)));
  }
}

void CheckWrittenArchive(std::string_view input, uint64_t hash) {
  // Files of up to 16 pieces: a name of up to 15 bytes, then contents of
  // up to 63, as the input's bytes give them.
  std::vector<testing_support::SetFile> files;
  std::size_t at = 0;
  while (at < input.size() && files.size() < 16) {
    std::size_t nameLength = static_cast<unsigned char>(input[at]) % 16;
    std::size_t length = static_cast<unsigned char>(input[at]) / 4 % 64;
    ++at;
    testing_support::SetFile file;
    file.Name = std::string(input.substr(at, nameLength));
    at += file.Name.size();
    file.Contents = std::string(input.substr(at, length));
    at += file.Contents.size();
    files.push_back(std::move(file));
  }
  testing_support::ZipOptions options;
  options.Zip64 = (hash >> 3) % 2 == 1;
  // A comment that ends in an end record of its own makes an archive of two
  // readings (zip tools take the last); one elsewhere in it must not count.
  if ((hash >> 4) % 4 == 0) options.Comment = std::string(input.substr(0, 100));
  std::string& comment = options.Comment;
  if (comment.size() >= 22 && comment.compare(comment.size() - 22, 4, "PK\x05\x06") == 0) comment.back() ^= 1;
  const std::string archive = testing_support::ZipBytes(files, options);

  ZipDirectory read = FromMemory(archive);
  ZEB_FUZZ_CHECK(read.Readable);
  ZEB_FUZZ_CHECK(read.Entries.size() == files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    ZEB_FUZZ_CHECK(read.Entries[i].Name == files[i].Name);
    ZEB_FUZZ_CHECK(read.Entries[i].Crc == Crc32(files[i].Contents));
    ZEB_FUZZ_CHECK(read.Entries[i].Size == files[i].Contents.size());
    ZEB_FUZZ_CHECK(read.Entries[i].CompressedSize == files[i].Contents.size());
  }
  // A prefix may end in an end record that the files' contents hold, but
  // never reads as the whole archive.
  std::size_t cut = static_cast<std::size_t>((hash >> 6) % archive.size());
  ZEB_FUZZ_CHECK(files.empty() || !Same(read, FromMemory(std::string_view(archive).substr(0, cut))));
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb::fuzz;
  static const bool ready = (AbortOnFatal(), true);
  (void)ready;
  std::string_view input = Bytes(data, size);
  uint64_t hash = InputHash(input);
  CheckAsArchive(input, hash);
  CheckWrittenArchive(input, hash);
  return 0;
}
