// The text-file reader against the plain model of the line rules.
//
// The input is a file. It is read as it stands and, for some inputs, behind
// a filler that puts the end of the reader's 64 KiB buffer somewhere inside
// it, so a CR LF, a long line or the end mark 0x1A can straddle a refill.
// Every read must give the model's lines, with end-of-file true exactly when the model
// has no line left, and an empty line for every read past the end. The lines
// read, written back and read again, give the same lines, and the written
// file is exactly those lines each ended by CR LF.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/work_file.h"
#include "fuzz/fuzz_support.h"

namespace zeb::fuzz {
namespace {

constexpr std::size_t ReaderBuffer = 1 << 16;

std::vector<std::string> ReadAll(const std::string& path) {
  std::vector<std::string> lines;
  TextFile file;
  file.OpenRead(path);
  while (!file.Eof()) lines.emplace_back(file.ReadLine());
  ZEB_FUZZ_CHECK(file.ReadLine().empty());
  ZEB_FUZZ_CHECK(file.Eof());
  file.Close();
  return lines;
}

void CheckReader(const std::string& path, std::string_view bytes) {
  WriteFile(path, bytes);
  std::vector<std::string> model = ModelLines(bytes);

  // Line by line, so that a wrong end-of-file shows where it happens.
  TextFile file;
  file.OpenRead(path);
  for (const std::string& expected : model) {
    ZEB_FUZZ_CHECK(!file.Eof());
    ZEB_FUZZ_CHECK(file.ReadLine() == expected);
  }
  ZEB_FUZZ_CHECK(file.Eof());
  ZEB_FUZZ_CHECK(file.ReadLine().empty());
  ZEB_FUZZ_CHECK(file.Eof());
  file.Close();
}

void CheckWriteBack(const std::string& path, const std::vector<std::string>& lines) {
  TextFile file;
  file.Create(path);
  std::string expected;
  for (const std::string& line : lines) {
    file.WriteLine(line);
    expected += line + "\r\n";
  }
  file.Close();
  ZEB_FUZZ_CHECK(ReadFile(path) == expected);
  ZEB_FUZZ_CHECK(ReadAll(path) == lines);
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb::fuzz;
  static const std::string file = PrivateDir() + "/file.txt";
  static const bool ready = (AbortOnFatal(), true);
  (void)ready;

  std::string_view input = Bytes(data, size);
  CheckReader(file, input);

  // One input in eight is read again behind filler lines of 100 bytes and
  // a partial line, so that the buffer ends `offset` bytes into the input.
  // (Only one in eight: reading the 64 KiB filler costs more than all the
  // rest.)
  uint64_t hash = InputHash(input);
  if (hash % 8 == 0) {
    std::size_t offset = static_cast<std::size_t>(hash / 8 % (size + 1));
    std::string padded;
    while (padded.size() + 102 <= ReaderBuffer - offset) padded += std::string(100, 'p') + "\r\n";
    padded.append(ReaderBuffer - offset - padded.size(), 'q');
    padded += input;
    CheckReader(file, padded);
  }

  CheckWriteBack(file, ModelLines(input));
  return 0;
}
