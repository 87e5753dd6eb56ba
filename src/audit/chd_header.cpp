#include "audit/chd_header.h"

#include <cstdint>
#include <string_view>

#include "storage/numbers.h"
#include "storage/short_string.h"

namespace zeb {

namespace {

constexpr std::string_view Tag = "MComprHD";

// Each version's header: its length, where its SHA-1 of the whole disk lies.
struct Layout {
  uint32_t Length;
  std::size_t Sha1At;
};
constexpr Layout Layouts[] = {{120, 80}, {108, 48}, {124, 84}};  // versions 3, 4, 5

uint64_t BigEndian(std::string_view bytes, std::size_t at, int width) {
  uint64_t value = 0;
  for (int i = 0; i < width; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

ChdHeader Unreadable(std::string problem) {
  ChdHeader header;
  header.Problem = std::move(problem);
  return header;
}

}  // namespace

ChdHeader ReadChdHeader(ByteSource& file) {
  std::string start;
  if (!file.ReadAt(0, 16, start) || std::string_view(start).substr(0, 8) != Tag) return Unreadable("not a CHD file");
  uint64_t length = BigEndian(start, 8, 4);
  uint64_t version = BigEndian(start, 12, 4);
  if (version < 3 || version > 5) return Unreadable("CHD version " + std::string(IntText(static_cast<long long>(version)).View()));
  const Layout& layout = Layouts[version - 3];
  if (length != layout.Length) return Unreadable("a damaged CHD header");
  std::string header;
  if (!file.ReadAt(0, layout.Length, header)) return Unreadable("a cut-off CHD header");

  // The hunk map follows the header in versions 3 and 4, one entry of 16
  // bytes a hunk; version 5 says where its map begins.
  uint64_t size = file.Size();
  if (version == 5) {
    uint64_t mapAt = BigEndian(header, 40, 8);
    if (mapAt < layout.Length || mapAt >= size) return Unreadable("a cut-off CHD file");
  } else {
    uint64_t hunks = BigEndian(header, 24, 4);
    if (hunks > 0 && size - layout.Length < 16 * hunks) return Unreadable("a cut-off CHD file");
  }

  ChdHeader result;
  result.Readable = true;
  result.Version = static_cast<int>(version);
  static constexpr char Digits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < 20; ++i) {
    auto byte = static_cast<unsigned char>(header[layout.Sha1At + i]);
    result.Sha1 += Digits[byte >> 4];
    result.Sha1 += Digits[byte & 15];
  }
  return result;
}

}  // namespace zeb
