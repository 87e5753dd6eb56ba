#include "audit/byte_source.h"

#include "storage/file_system.h"

namespace zeb {

namespace {

bool Within(uint64_t size, uint64_t offset, std::size_t length) {
  return offset <= size && length <= size - offset;
}

}  // namespace

bool MemoryBytes::ReadAt(uint64_t offset, std::size_t length, std::string& out) {
  out.clear();
  if (!Within(bytes_.size(), offset, length)) return false;
  out.assign(bytes_.substr(static_cast<std::size_t>(offset), length));
  return true;
}

FileBytes::FileBytes(std::string_view path) {
  // Unbuffered: each read is of the bytes asked for, no more.
  file_.rdbuf()->pubsetbuf(nullptr, 0);
  file_.open(NativePath(path), std::ios::binary | std::ios::ate);
  if (!file_.is_open()) return;
  std::streamoff end = file_.tellg();
  if (end < 0) return;
  size_ = static_cast<uint64_t>(end);
  opened_ = true;
}

bool FileBytes::ReadAt(uint64_t offset, std::size_t length, std::string& out) {
  out.clear();
  if (!opened_ || !Within(size_, offset, length)) return false;
  out.resize(length);
  if (length == 0) return true;
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(offset));
  file_.read(out.data(), static_cast<std::streamsize>(length));
  if (file_.gcount() != static_cast<std::streamsize>(length)) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace zeb
