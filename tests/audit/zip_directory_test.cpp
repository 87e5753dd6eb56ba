// The central directory reader on archives of the tests' writer and of
// other zip tools, and on damaged ones: bounded, never trusting what the
// archive states.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audit/byte_source.h"
#include "audit/zip_directory.h"
#include "storage/crc32.h"
#include "support/rom_set_writer.h"
#include "support/temp_dir.h"

namespace zeb::testing_support {
namespace {

ZipDirectory Read(const std::string& bytes) {
  MemoryBytes source(bytes);
  return ReadZipDirectory(source);
}

const std::vector<SetFile> Files = {ForgedFile("gg1_1b.3p", 4096, 0xab036c9f), {"empty.bin", ""},
                                    {"sub/with a blank.rom", "contents"}};

// A little-endian field written over bytes of an archive.
void Patch(std::string& bytes, std::size_t at, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

void ExpectEntries(const ZipDirectory& directory, const std::vector<SetFile>& files) {
  ASSERT_TRUE(directory.Readable) << directory.Problem;
  ASSERT_EQ(directory.Entries.size(), files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(directory.Entries[i].Name, files[i].Name);
    EXPECT_EQ(directory.Entries[i].Crc, Crc32(files[i].Contents)) << files[i].Name;
    EXPECT_EQ(directory.Entries[i].Size, files[i].Contents.size()) << files[i].Name;
    EXPECT_EQ(directory.Entries[i].CompressedSize, files[i].Contents.size()) << files[i].Name;
  }
}

TEST(ZipDirectory, ReadsPlainAndZip64ArchivesWithAndWithoutComment) {
  for (bool zip64 : {false, true}) {
    for (const std::string& comment : {std::string(), std::string("a comment"), std::string(65535, 'c')}) {
      SCOPED_TRACE((zip64 ? "zip64, comment of " : "comment of ") + std::to_string(comment.size()));
      ExpectEntries(Read(ZipBytes(Files, {zip64, comment})), Files);
      ExpectEntries(Read(ZipBytes({}, {zip64, comment})), {});
    }
  }
  EXPECT_EQ(ForgedContents(4096, 0xab036c9f).size(), 4096u);
  EXPECT_EQ(Crc32(ForgedContents(2, Crc32("ab"))), Crc32("ab"));
}

TEST(ZipDirectory, ReadsArchivesOfOtherTools) {
  const std::string corpus = std::string(ZEB_SOURCE_DIR) + "/tests/fuzz/corpus/zip_directory/";
  FileBytes python(corpus + "python_deflated.zip");  // deflated, a folder entry, a comment
  ZipDirectory read = ReadZipDirectory(python);
  ASSERT_TRUE(read.Readable) << read.Problem;
  ASSERT_EQ(read.Entries.size(), 3u);
  EXPECT_EQ(read.Entries[0].Name, "sub/");
  EXPECT_EQ(read.Entries[1].Name, "sub/a.bin");
  EXPECT_EQ(read.Entries[1].Crc, 0xa8e0b457u);
  EXPECT_EQ(read.Entries[1].CompressedSize, 15u);
  EXPECT_EQ(read.Entries[1].Size, 230u);
  EXPECT_EQ(read.Entries[2].Crc, 0xb5348fd2u);

  FileBytes p7zip(corpus + "p7zip.zip");  // extra fields of its own
  read = ReadZipDirectory(p7zip);
  ASSERT_TRUE(read.Readable) << read.Problem;
  ASSERT_EQ(read.Entries.size(), 2u);
  EXPECT_EQ(read.Entries[0].Crc, 0x352441c2u);
  EXPECT_EQ(read.Entries[1].Size, 2000u);
  EXPECT_EQ(read.Entries[1].CompressedSize, 19u);
}

TEST(ZipDirectory, FindsTheRightEndRecord) {
  // Bytes added after the archive, and a comment that holds an end record.
  ExpectEntries(Read(ZipBytes(Files) + "trailing bytes"), Files);
  std::string fake = ZipBytes({{"fake", "f"}});
  ExpectEntries(Read(ZipBytes(Files, {false, fake.substr(fake.rfind("PK\x05\x06"))})), Files);
  // One of an empty archive, which would read, inside the comment.
  ExpectEntries(Read(ZipBytes(Files, {false, "before " + ZipBytes({}) + " after"})), Files);
  // Data before the archive (a program it is appended to) moves every
  // offset: not an archive the emulator reads either.
  EXPECT_FALSE(Read("MZ" + ZipBytes(Files)).Readable);
}

TEST(ZipDirectory, NoPrefixOfAnArchiveIsReadable) {
  for (bool zip64 : {false, true}) {
    const std::string whole = ZipBytes({{"a.rom", "abc"}, {"sub/b.rom", ""}}, {zip64, ""});
    for (std::size_t length = 0; length < whole.size(); ++length) {
      ZipDirectory read = Read(whole.substr(0, length));
      EXPECT_FALSE(read.Readable) << length << " bytes of " << whole.size();
      EXPECT_TRUE(read.Entries.empty());
      EXPECT_FALSE(read.Problem.empty());
    }
  }
  EXPECT_EQ(Read("PK\x03\x04garbage").Problem, "too short for a zip archive");
  EXPECT_EQ(Read(std::string(3000, '\x5a')).Problem, "no end record");
  EXPECT_FALSE(Read(DamagedZipBytes(Files)).Readable);
}

TEST(ZipDirectory, StatedSizesAndOffsetsAreChecked) {
  const std::string whole = ZipBytes(Files);
  const std::size_t end = whole.size() - 22;
  const std::size_t directory = whole.find("PK\x01\x02");
  struct Damage {
    const char* What;
    std::size_t At;
    uint64_t Value;
    int Width;
    const char* Problem;
  };
  const Damage damages[] = {
      {"directory past its end", end + 16, directory + 1, 4, "the central directory lies outside the archive"},
      {"directory larger than the archive", end + 12, 0x7FFFFFFF, 4, "the central directory lies outside the archive"},
      {"more entries than fit", end + 8, 40000, 2, "the archive spans several disks"},
      {"more entries than the directory holds", end + 8, 4000 | 4000 << 16, 4, "more entries than the directory holds"},
      {"another disk", end + 4, 1, 2, "the archive spans several disks"},
      {"zip64 fields without a zip64 record", end + 16, 0xFFFFFFFF, 4, "the zip64 end record is missing"},
      {"an entry's name past the directory", directory + 28, 60000, 2, "a damaged central directory entry"},
      {"an entry's data past the directory", directory + 42, directory, 4, "an entry's data lies outside the archive"},
      {"an entry's size past the directory", directory + 20, 1u << 30, 4, "an entry's data lies outside the archive"},
      {"a zip64 size without its field", directory + 24, 0xFFFFFFFF, 4, "a damaged zip64 entry"},
      {"an entry's signature", directory + 2, 9, 1, "a damaged central directory entry"},
  };
  for (const Damage& damage : damages) {
    std::string bytes = whole;
    Patch(bytes, damage.At, damage.Value, damage.Width);
    ZipDirectory read = Read(bytes);
    EXPECT_FALSE(read.Readable) << damage.What;
    EXPECT_EQ(read.Problem, damage.Problem) << damage.What;
  }
}

TEST(ZipDirectory, Zip64RecordsAreChecked) {
  const std::string whole = ZipBytes(Files, {true, ""});
  const std::size_t locator = whole.size() - 22 - 20;
  const std::size_t record = whole.find("PK\x06\x06");
  struct Damage {
    std::size_t At;
    uint64_t Value;
    int Width;
    const char* Problem;
  };
  const Damage damages[] = {
      {locator + 8, record + 1, 8, "the zip64 end record is missing"},
      {locator + 8, 1ull << 60, 8, "the zip64 end record is missing"},
      {locator + 16, 2, 4, "the archive spans several disks"},
      {record + 32, 7, 8, "the archive spans several disks"},
      {record + 40, 1ull << 40, 8, "the central directory lies outside the archive"},
  };
  for (const Damage& damage : damages) {
    std::string bytes = whole;
    Patch(bytes, damage.At, damage.Value, damage.Width);
    EXPECT_EQ(Read(bytes).Problem, damage.Problem) << damage.At - record;
  }
}

TEST(ZipDirectory, ReadsFilesAndGivesNothingForAFileThatIsNotThere) {
  TempDir dir(TempDir::Stay);
  WriteZipSet(dir.Path(), "galaga", Files, {true, "c"});
  FileBytes file(dir.Path() + "/galaga.zip");
  ASSERT_TRUE(file.Opened());
  ExpectEntries(ReadZipDirectory(file), Files);
  FileBytes none(dir.Path() + "/none.zip");
  EXPECT_FALSE(none.Opened());
  EXPECT_FALSE(ReadZipDirectory(none).Readable);
}

}  // namespace
}  // namespace zeb::testing_support
