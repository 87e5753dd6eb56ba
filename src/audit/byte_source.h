#pragma once
// Bytes read at given offsets, from a file or from memory: what the readers
// of archive directories and disk headers take, so that each reads only the
// few parts it needs and the fuzz targets feed them memory.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

namespace zeb {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The number of bytes there are.
  virtual uint64_t Size() const = 0;
  // The `length` bytes at `offset` into `out`; false (and `out` empty) when
  // they are not all there or cannot be read.
  virtual bool ReadAt(uint64_t offset, std::size_t length, std::string& out) = 0;
};

// Bytes held by the caller, who keeps them while the source is used.
class MemoryBytes final : public ByteSource {
 public:
  explicit MemoryBytes(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool ReadAt(uint64_t offset, std::size_t length, std::string& out) override;

 private:
  std::string_view bytes_;
};

// A file, opened for reading when made. A file that cannot be opened has
// no bytes (Opened() is false).
class FileBytes final : public ByteSource {
 public:
  explicit FileBytes(std::string_view path);
  bool Opened() const { return opened_; }
  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, std::size_t length, std::string& out) override;

 private:
  std::ifstream file_;
  uint64_t size_ = 0;
  bool opened_ = false;
};

}  // namespace zeb
