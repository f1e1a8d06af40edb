// For tests that work on real files: a new empty folder under the system's
// temporary folder, made the current directory for the object's lifetime
// unless asked not to, and removed with everything in it afterwards.
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
  // Whether the folder is the current directory while it lives.
  enum class Enter { kYes, kNo };

  // Creates the folder and, with Enter::kYes, changes into it.
  explicit ScratchFolder(Enter enter = Enter::kYes)
      : entered_(enter == Enter::kYes), home_(std::filesystem::current_path()) {
    std::random_device seed;
    do {
      path_ = std::filesystem::temp_directory_path() / ("qb-test-" + std::to_string(seed()));
    } while (!std::filesystem::create_directory(path_));
    if (entered_) std::filesystem::current_path(path_);
  }
  // Changes back if it changed into the folder, and removes the folder.
  ~ScratchFolder() {
    std::error_code ignored;
    if (entered_) std::filesystem::current_path(home_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The full path of the file `name` in the folder.
  std::string path(const std::string& name) const { return (path_ / name).string(); }

  // Writes `bytes` as the whole file `name` (relative to the current directory).
  static void write(const std::string& name, std::string_view bytes) {
    std::ofstream(name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  static bool exists(const std::string& name) { return std::filesystem::exists(name); }

 private:
  bool entered_;
  std::filesystem::path home_;
  std::filesystem::path path_;
};

}  // namespace qb

#endif  // QB_TESTS_SUPPORT_SCRATCH_FOLDER_H
