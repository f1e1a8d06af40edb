// Fuzzes reading a file in input mode, in reads of any size: the text read
// is the file up to its first byte 26, with each CR LF pair given as one LF,
// however the reads cut the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/files/file_table.h"
#include "support/scratch_folder.h"

namespace {

// The file's text as input mode must give it, worked out in one pass.
std::string expected_text(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && bytes[i] != 26; ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += bytes[i];
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t chunk = data[0] % 16 + 1;  // the size of every read
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  static const qb::ScratchFolder folder(qb::ScratchFolder::Enter::kNo);
  const std::string path = folder.path("INPUT.LOG");
  std::ofstream(path, std::ios::binary) << bytes;

  qb::FileTable files;
  if (!files.open_file(path, qb::FileMode::kInput, 3)) std::abort();
  if (files.file_length(3) != static_cast<std::int32_t>(bytes.size())) std::abort();
  std::string text;
  for (std::size_t reads = 0; reads <= bytes.size(); ++reads) {
    const std::string piece = files.read_chars(chunk, 3);
    if (piece.size() > chunk) std::abort();
    text += piece;
  }
  files.close_file(3);
  if (text != expected_text(bytes)) std::abort();
  return 0;
}
