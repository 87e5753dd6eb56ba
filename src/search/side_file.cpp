#include "search/side_file.h"

#include <cerrno>
#include <cstring>

#include "console/console.h"
#include "storage/file_system.h"
#include "storage/visible_text.h"

namespace zeb {

bool IsSideFileName(std::string_view name) {
  if (name.empty() || name.size() > 255) return false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

SideFileReader::SideFileReader(std::string_view path) {
  const std::string native = NativePath(path);
  file_ = std::fopen(native.c_str(), "rb");
  if (file_ == nullptr) {
    missing_ = errno == ENOENT;
    failed_ = !missing_;
    atEnd_ = true;
  }
}

SideFileReader::~SideFileReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool SideFileReader::Fill() {
  if (atEnd_) return false;
  position_ = 0;
  filled_ = std::fread(buffer_, 1, sizeof buffer_, file_);
  if (filled_ == 0) {
    failed_ = std::ferror(file_) != 0;
    atEnd_ = true;
  }
  return filled_ > 0;
}

bool SideFileReader::Next(std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  bool any = false;  // a byte of this line, or its end, has been read
  for (;;) {
    if (position_ == filled_ && !Fill()) return any;
    if (afterCr_) {
      afterCr_ = false;
      if (buffer_[position_] == '\n') {
        ++position_;
        continue;
      }
    }
    const char* at = buffer_ + position_;
    const char* end = buffer_ + filled_;
    const char* stop = at;
    while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
    const auto run = static_cast<std::size_t>(stop - at);
    if (!tooLong && line.size() + run > MaxSideLine) {
      tooLong = true;
      line.clear();
    }
    if (!tooLong) line.append(at, run);
    any = any || run > 0;
    position_ += run;
    if (stop < end) {
      afterCr_ = *stop == '\r';
      ++position_;
      return true;
    }
  }
}

namespace {

bool Failure(std::string& reason, std::string_view action, std::string_view path, int error) {
  reason = std::string(action) + " '" + VisibleText(path) + "': " + std::strerror(error);
  return false;
}

}  // namespace

bool ReplaceSideFile(std::string_view path, std::string_view content, std::string& reason) {
  std::string unique;
  std::FILE* file = CreateUniqueFileBeside(path, unique);
  if (file == nullptr) return Failure(reason, "cannot create a new file beside", path, errno);
  // A termination signal in the middle of the write removes it too.
  SetFileToRemoveOnTermination(NativePath(unique));
  const bool written = content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
  bool synced = written && SyncFile(file) && std::ferror(file) == 0;
  int error = errno;
  if (std::fclose(file) != 0 && synced) {
    synced = false;
    error = errno;
  }
  if (synced && ReplaceFile(unique, path)) {
    SetFileToRemoveOnTermination({});
    return true;
  }
  if (synced) error = errno;
  DeleteFile(unique);
  SetFileToRemoveOnTermination({});
  return Failure(reason, synced ? "cannot replace" : "cannot write", synced ? path : std::string_view(unique), error);
}

}  // namespace zeb
