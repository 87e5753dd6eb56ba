#pragma once
// A temporary directory that is the current directory for the lifetime of
// the object; the old current directory is restored and the tree removed.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace zeb::testing_support {

class TempDir {
 public:
  TempDir() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    std::filesystem::path made;
    do {
      made = base / ("zeb-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(made));
    path_ = made.string();
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::current_path(old_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::filesystem::path old_;
};

inline void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary);
  out << bytes;
}

inline std::string ReadBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zeb::testing_support
