// The CHD header reader.
//
// The input is read as a disk image's file: a readable one begins with the
// tag, is of version 3 to 5 and holds the whole header, and its SHA-1 is the
// hexadecimal of the twenty bytes at that version's place. Then a header of
// the version and SHA-1 the input picks, as the tests' writer makes it (and
// the emulator opens), must read back to them, and none of its prefixes
// that cut the header may read.

#include <cstddef>
#include <cstdint>
#include <string>

#include "audit/byte_source.h"
#include "audit/chd_header.h"
#include "fuzz/fuzz_support.h"
#include "support/rom_set_writer.h"

namespace zeb::fuzz {
namespace {

std::string Hex(std::string_view bytes) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string hex;
  for (char c : bytes) {
    hex += Digits[static_cast<unsigned char>(c) >> 4];
    hex += Digits[static_cast<unsigned char>(c) & 15];
  }
  return hex;
}

ChdHeader Read(std::string_view bytes) {
  MemoryBytes source(bytes);
  return ReadChdHeader(source);
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb::fuzz;
  static const bool ready = (AbortOnFatal(), true);
  (void)ready;
  std::string_view input = Bytes(data, size);

  zeb::ChdHeader read = Read(input);
  ZEB_FUZZ_CHECK(read.Readable == read.Problem.empty());
  if (read.Readable) {
    static constexpr std::size_t Sha1At[] = {80, 48, 84};
    static constexpr std::size_t Length[] = {120, 108, 124};
    ZEB_FUZZ_CHECK(read.Version >= 3 && read.Version <= 5);
    ZEB_FUZZ_CHECK(input.substr(0, 8) == "MComprHD");
    ZEB_FUZZ_CHECK(input.size() >= Length[read.Version - 3]);
    ZEB_FUZZ_CHECK(read.Sha1 == Hex(input.substr(Sha1At[read.Version - 3], 20)));
  } else {
    ZEB_FUZZ_CHECK(read.Sha1.empty());
  }

  uint64_t hash = InputHash(input);
  int version = 3 + static_cast<int>(hash % 3);
  std::string sha1 = Hex((std::string(input) + std::string(20, '\0')).substr(0, 20));
  std::string made = zeb::testing_support::ChdBytes(version, sha1);
  zeb::ChdHeader back = Read(made);
  ZEB_FUZZ_CHECK(back.Readable && back.Version == version && back.Sha1 == sha1);
  std::size_t cut = static_cast<std::size_t>(hash / 3 % 108);
  ZEB_FUZZ_CHECK(!Read(std::string_view(made).substr(0, cut)).Readable);
  return 0;
}
