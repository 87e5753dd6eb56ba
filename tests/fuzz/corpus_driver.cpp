// Runs a fuzz target over the files given, and over every regular file of
// the directories given (in name order), with the normal compiler and
// without libFuzzer: the checked-in corpora run as ordinary tests, so a past
// finding stays fixed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

// The bytes in a heap block of exactly their size, so that the sanitizer
// sees a read past the end.
std::unique_ptr<uint8_t[]> ReadInput(const std::filesystem::path& path, std::size_t& size) {
  std::FILE* file = std::fopen(path.string().c_str(), "rb");
  if (file == nullptr) {
    std::perror(path.string().c_str());
    std::exit(1);
  }
  std::string bytes;
  char buffer[1 << 14];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
  std::fclose(file);
  size = bytes.size();
  std::unique_ptr<uint8_t[]> data(new uint8_t[size]);
  std::copy(bytes.begin(), bytes.end(), data.get());
  return data;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path path = std::filesystem::absolute(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
      }
    } else {
      inputs.push_back(path);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::fprintf(stderr, "no inputs to run\n");
    return 1;
  }
  for (const auto& path : inputs) {
    std::size_t size = 0;
    std::unique_ptr<uint8_t[]> data = ReadInput(path, size);
    std::fprintf(stderr, "running %s (%zu bytes)\n", path.filename().string().c_str(), size);
    LLVMFuzzerTestOneInput(data.get(), size);
  }
  std::fprintf(stderr, "%zu inputs, no finding\n", inputs.size());
  return 0;
}
