#pragma once
// The one temporary directory of every test: a fresh directory of its own,
// removed with all it holds when the object goes. By default it is also the
// current directory for the lifetime of the object (the old one comes back
// first); a test that starts programs in it by path leaves the current
// directory alone (Stay). And whole files written and read as bytes, and
// empty ones made.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace zeb::testing_support {

class TempDir {
 public:
  enum Use { Enter, Stay };

  // Made below `base`; throws when it cannot be made there.
  explicit TempDir(Use use = Enter, const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    std::random_device random;
    std::filesystem::path made;
    do {
      made = base / ("zeb-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(made));
    path_ = made.string();
    if (use == Enter) {
      old_ = std::filesystem::current_path();
      std::filesystem::current_path(path_);
    }
  }
  ~TempDir() {
    std::error_code ignored;
    if (!old_.empty()) std::filesystem::current_path(old_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Absolute.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
  std::filesystem::path old_;  // empty when the directory was not entered
};

inline void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary);
  out << bytes;
}

// An empty file, and the directories it lies in.
inline void Touch(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
  WriteBytes(path, "");
}

inline std::string ReadBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zeb::testing_support
