#include "core/work_file.h"

#include <cerrno>

#include "core/fatal.h"
#include "core/file_system.h"

namespace zeb {

TextFile WorkFile;

namespace {
constexpr int EndMark = 0x1A;
}

TextFile::~TextFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void TextFile::OpenRead(std::string_view name) {
  Close();
  std::string path = NativePath(name);
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) FatalIo("cannot open", name);
  writing_ = false;
  ended_ = false;
  ShortString(name).View().copy(name_, 255);
  name_[name.size() < 255 ? name.size() : 255] = '\0';
}

void TextFile::Create(std::string_view name) {
  Close();
  std::string path = NativePath(name);
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) FatalIo("cannot create", name);
  writing_ = true;
  ended_ = false;
  ShortString(name).View().copy(name_, 255);
  name_[name.size() < 255 ? name.size() : 255] = '\0';
}

int TextFile::Peek() {
  if (file_ == nullptr || writing_ || ended_) return EOF;
  int c = std::getc(file_);
  if (c == EOF) {
    if (std::ferror(file_)) FatalIo("cannot read", name_);
    return EOF;
  }
  if (c == EndMark) {
    ended_ = true;
    return EOF;
  }
  std::ungetc(c, file_);
  return c;
}

bool TextFile::Eof() { return Peek() == EOF; }

ShortString TextFile::ReadLine() {
  char line[ShortString::Capacity];
  std::size_t length = 0;
  while (Peek() != EOF) {
    int c = std::getc(file_);
    if (c == '\n') break;
    if (c == '\r') {
      if (Peek() == '\n') std::getc(file_);
      break;
    }
    if (length < sizeof line) line[length++] = static_cast<char>(c);
  }
  return ShortString(std::string_view(line, length));
}

void TextFile::WriteLine(std::string_view text) {
  if (file_ == nullptr || !writing_) Fatal("write to a file that is not open for writing");
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fwrite("\r\n", 1, 2, file_) != 2) {
    FatalIo("cannot write", name_);
  }
}

void TextFile::Close() {
  if (file_ == nullptr) return;
  std::FILE* f = file_;
  file_ = nullptr;
  bool failed = writing_ && (std::fflush(f) != 0 || std::ferror(f));
  if (std::fclose(f) != 0 && writing_) failed = true;
  if (failed) FatalIo("cannot write", name_);
}

}  // namespace zeb
