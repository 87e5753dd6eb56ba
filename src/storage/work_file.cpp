#include "storage/work_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "console/console.h"
#include "storage/fatal.h"
#include "storage/file_system.h"

namespace zeb {


void TextFile::RememberName(std::string_view name) {
  std::size_t n = name.copy(name_, sizeof name_ - 1);
  name_[n] = '\0';
}

TextFile::~TextFile() {
  // A replacement still open here was cut off (the program ends in the
  // middle of a save): it must not stay behind.
  Abandon();
  if (file_ != nullptr) std::fclose(file_);
}

void TextFile::Abandon() {
  if (replacing_.empty()) return;
  SetFileToRemoveOnTermination({});
  int error = errno;
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  DeleteFile(unique_);
  replacing_.clear();
  unique_.clear();
  errno = error;
}

void TextFile::Fail(std::string_view action, std::string_view name) {
  std::string named(name);  // `name` may be one of ours, which Abandon clears
  Abandon();
  FatalIo(action, named);
}

bool TextFile::Open(std::string_view name, bool writing, bool quiet) {
  Abandon();
  Close();
  std::string path = NativePath(name);
  file_ = std::fopen(path.c_str(), writing ? "wb" : "rb");
  if (file_ == nullptr) {
    if (quiet) return false;
    FatalIo(writing ? "cannot create" : "cannot open", name);
  }
  writing_ = writing;
  ended_ = false;
  quiet_ = quiet;
  readError_ = 0;
  position_ = filled_ = 0;
  RememberName(name);
  return true;
}

void TextFile::OpenRead(std::string_view name) { Open(name, false, false); }

bool TextFile::OpenReadQuietly(std::string_view name) { return Open(name, false, true); }

void TextFile::Create(std::string_view name) { Open(name, true, false); }

void TextFile::CreateReplacing(std::string_view name) {
  Abandon();
  Close();
  std::string unique;
  file_ = CreateUniqueFileBeside(name, unique);
  if (file_ == nullptr) FatalIo("cannot create a new file beside", name);
  replacing_ = name;
  unique_ = unique;
  // A termination signal in the middle of the save removes it too.
  SetFileToRemoveOnTermination(NativePath(unique_));
  writing_ = true;
  ended_ = false;
  position_ = filled_ = 0;
  RememberName(unique_);
}

// Refills the read buffer; false at the end of the file.
bool TextFile::Fill() {
  if (file_ == nullptr || writing_ || ended_) return false;
  position_ = 0;
  filled_ = std::fread(buffer_, 1, sizeof buffer_, file_);
  if (filled_ == 0 && std::ferror(file_)) {
    if (!quiet_) FatalIo("cannot read", name_);
    readError_ = errno != 0 ? errno : EIO;
    ended_ = true;
  }
  return filled_ > 0;
}

int TextFile::Peek() {
  if (ended_) return EOF;
  if (position_ == filled_ && !Fill()) return EOF;
  if (buffer_[position_] == EndMark) {
    ended_ = true;
    return EOF;
  }
  return buffer_[position_];
}

bool TextFile::Eof() { return Peek() == EOF; }

std::string_view TextFile::ReadLineSlowly() {
  // The line ends the file or runs over a refill: it is gathered in line_.
  std::size_t gathered = 0;
  while (!ended_ && (position_ < filled_ || Fill())) {
    const char* start = reinterpret_cast<const char*>(buffer_ + position_);
    const unsigned char* stop = LineEnd(buffer_ + position_, buffer_ + filled_);
    std::size_t run = static_cast<std::size_t>(stop - (buffer_ + position_));
    position_ += run;
    std::string_view line(start, std::min(run, sizeof line_));
    if (gathered > 0 || position_ == filled_) {
      std::size_t kept = std::min(run, sizeof line_ - gathered);
      std::memcpy(line_ + gathered, start, kept);
      gathered += kept;
      line = std::string_view(line_, gathered);
      if (position_ == filled_) continue;  // the line goes on after a refill
    }
    if (*stop == EndMark) {
      ended_ = true;
      return line;
    }
    ++position_;
    if (*stop == '\r') {
      // The look at the next byte may refill the buffer under the line.
      if (gathered == 0 && position_ == filled_) {
        std::memcpy(line_, line.data(), line.size());
        line = std::string_view(line_, line.size());
      }
      if (Peek() == '\n') ++position_;
    }
    return line;
  }
  return std::string_view(line_, gathered);
}

void TextFile::WriteLine(std::string_view text) {
  if (file_ == nullptr || !writing_) Fatal("write to a file that is not open for writing");
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fwrite("\r\n", 1, 2, file_) != 2) {
    Fail("cannot write", name_);
  }
}

void TextFile::Close() {
  if (file_ == nullptr) return;
  if (!replacing_.empty()) {
    // Everything on the disk before the name changes, then the name.
    if (!SyncFile(file_) || std::ferror(file_)) Fail("cannot write", name_);
    int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) Fail("cannot write", name_);
    if (!ReplaceFile(unique_, replacing_)) Fail("cannot replace", replacing_);
    SetFileToRemoveOnTermination({});
    replacing_.clear();
    unique_.clear();
    return;
  }
  std::FILE* f = file_;
  file_ = nullptr;
  bool failed = writing_ && (std::fflush(f) != 0 || std::ferror(f));
  if (std::fclose(f) != 0 && writing_) failed = true;
  if (failed) FatalIo("cannot write", name_);
}

}  // namespace zeb
