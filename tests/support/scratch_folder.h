// For tests that work on real files: a new empty folder under the system's
// temporary folder, made the current directory for the object's lifetime
// and removed with everything in it afterwards.
#ifndef QB_TESTS_SUPPORT_SCRATCH_FOLDER_H
#define QB_TESTS_SUPPORT_SCRATCH_FOLDER_H

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace qb {

class ScratchFolder {
 public:
  // Creates the folder and changes into it.
  ScratchFolder() : home_(std::filesystem::current_path()) {
    std::random_device seed;
    do {
      path_ = std::filesystem::temp_directory_path() / ("qb-test-" + std::to_string(seed()));
    } while (!std::filesystem::create_directory(path_));
    std::filesystem::current_path(path_);
  }
  // Changes back and removes the folder.
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(home_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes `bytes` as the whole file `name` in the folder.
  static void write(const std::string& name, std::string_view bytes) {
    std::ofstream(name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  static bool exists(const std::string& name) { return std::filesystem::exists(name); }

 private:
  std::filesystem::path home_;
  std::filesystem::path path_;
};

}  // namespace qb

#endif  // QB_TESTS_SUPPORT_SCRATCH_FOLDER_H
