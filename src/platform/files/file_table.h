// Numbered files, 1 to 254, opened in one of three modes (output, input,
// binary), written, measured, read and closed; and deletion by name. Every
// operation is silent on failure: a number that is not open reads as empty,
// measures 0 and takes no writes. A caller that wants to know why an open,
// a write or a close failed finds the system's words in failure().
#ifndef QB_PLATFORM_FILES_FILE_TABLE_H
#define QB_PLATFORM_FILES_FILE_TABLE_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace qb {

enum class FileMode {
  kOutput,  // created or emptied; bytes written unchanged
  kInput,   // must exist; CR LF read as LF, byte 26 ends the file
  kBinary,  // read-write, created empty when missing; bytes unchanged
};

class FileTable {
 public:
  static constexpr int kFileCount = 254;
  static constexpr std::size_t kBufferSize = 8192;

  FileTable() = default;
  FileTable(const FileTable&) = delete;
  FileTable& operator=(const FileTable&) = delete;
  ~FileTable() { close_all(); }

  // The lowest free number from 1 to 254, or 0 when all are in use.
  int free_file_number() const;
  // Opens `name` under `number`; fails when the number is in use or the open fails.
  bool open_file(std::string_view name, FileMode mode, int number);
  // Writes out buffered data and frees the number; false when it was not in
  // use, or when a read or write on it failed, the last write-out included.
  bool close_file(int number);
  // The file's length in bytes, the position kept; 0 when the number is not in use.
  std::int32_t file_length(int number);
  // Up to `count` characters from the current position (see FileMode for input).
  std::string read_chars(std::size_t count, int number);
  // Writes the bytes unchanged, then CR LF when line_end is true.
  bool write_text(int number, std::string_view text, bool line_end);
  // Closes every open file, writing out its buffered data.
  void close_all();
  // The system's words for why the last open, write or close that failed did
  // so ("Permission denied"); empty while none has failed.
  const std::string& failure() const { return failure_; }

 private:
  struct Entry {
    std::FILE* stream = nullptr;
    std::unique_ptr<std::array<char, kBufferSize>> buffer;  // the stream's buffer
    FileMode mode = FileMode::kOutput;
    bool ended = false;  // an input file has met byte 26
  };
  Entry* entry(int number);
  const Entry* entry(int number) const;
  static std::string read_text(Entry& file, std::size_t count);

  std::array<Entry, kFileCount> entries_{};
  std::string failure_;
};

// Removes the named file; a missing or undeletable file is ignored.
void delete_file(std::string_view name);

}  // namespace qb

#endif  // QB_PLATFORM_FILES_FILE_TABLE_H
