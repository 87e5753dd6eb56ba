#pragma once
// The SHA-1 a disk image's header records (the emulator's CHD files,
// versions 3 to 5): the one the emulator compares with the SHA-1 of the disk
// in its list. Only the header is read, and the start of the hunk map it
// points at, which the emulator also needs to open the file.

#include <string>

#include "audit/byte_source.h"

namespace zeb {

struct ChdHeader {
  bool Readable = false;
  std::string Problem;  // why not ("not a CHD file", "version 2")
  int Version = 0;
  std::string Sha1;  // 40 lower-case hexadecimal digits
};

ChdHeader ReadChdHeader(ByteSource& file);

}  // namespace zeb
