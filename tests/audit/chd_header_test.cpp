// The SHA-1 of a disk image's header, versions 3 to 5, from the tests'
// writer (whose files the emulator accepted) and from the emulator's own
// chdman, and why a damaged one gives none.

#include <gtest/gtest.h>

#include <string>

#include "audit/byte_source.h"
#include "audit/chd_header.h"
#include "support/rom_set_writer.h"

namespace zeb::testing_support {
namespace {

const std::string Sha1 = "d4473a7fb9820f2e517a1e0609ec9e12f326fc06";

ChdHeader Read(const std::string& bytes) {
  MemoryBytes source(bytes);
  return ReadChdHeader(source);
}

TEST(ChdHeader, EachVersionsSha1) {
  for (int version = 3; version <= 5; ++version) {
    ChdHeader header = Read(ChdBytes(version, Sha1));
    ASSERT_TRUE(header.Readable) << version << ": " << header.Problem;
    EXPECT_EQ(header.Version, version);
    EXPECT_EQ(header.Sha1, Sha1);
  }
  // Version 5 keeps the data's own SHA-1 at 64 and the whole disk's at 84:
  // the one the list gives is the whole disk's.
  FileBytes chdman(std::string(ZEB_SOURCE_DIR) + "/tests/fuzz/corpus/chd_header/chdman_v5.chd");
  ChdHeader made = ReadChdHeader(chdman);
  ASSERT_TRUE(made.Readable) << made.Problem;
  EXPECT_EQ(made.Version, 5);
  EXPECT_EQ(made.Sha1, "0a357f14d6549736082ffc1a11e36a7070755258");
}

TEST(ChdHeader, DamagedHeadersGiveNone) {
  const std::string v4 = ChdBytes(4, Sha1);
  const std::string v5 = ChdBytes(5, Sha1);
  auto with = [](std::string bytes, std::size_t at, char value) {
    bytes[at] = value;
    return bytes;
  };
  struct Damage {
    const char* What;
    std::string Bytes;
    const char* Problem;
  };
  const Damage damages[] = {
      {"another tag", with(v4, 0, 'm'), "not a CHD file"},
      {"too short for the tag", v4.substr(0, 10), "not a CHD file"},
      {"version 2", with(v4, 15, 2), "CHD version 2"},
      {"version 6", with(v5, 15, 6), "CHD version 6"},
      {"another header length", with(v4, 11, 110), "a damaged CHD header"},
      {"the header cut off", v5.substr(0, 100), "a cut-off CHD header"},
      {"the map cut off", v4.substr(0, 108), "a cut-off CHD file"},
      {"a version 5 map past the end", with(v5, 43, '\x7f'), "a cut-off CHD file"},
      {"a version 5 map inside the header", with(v5, 47, 10), "a cut-off CHD file"},
  };
  for (const Damage& damage : damages) {
    ChdHeader header = Read(damage.Bytes);
    EXPECT_FALSE(header.Readable) << damage.What;
    EXPECT_EQ(header.Problem, damage.Problem) << damage.What;
    EXPECT_TRUE(header.Sha1.empty()) << damage.What;
  }
}

}  // namespace
}  // namespace zeb::testing_support
