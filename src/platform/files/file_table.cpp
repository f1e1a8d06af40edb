// The file table over the C library's buffered streams. Every file is
// opened in binary and given an 8192-byte buffer; input mode translates
// while reading, the same on every system: CR LF arrives as LF and byte 26
// ends the file. A folder is never opened as a file, on any system: the
// POSIX C library would open one read-only and measure it as whatever its
// file system says, which could pass for a log of any length. Opening one
// for writing fails by itself, with the system's own words for it.
#include "platform/files/file_table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>

#include "platform/files/system_error.h"

namespace qb {

namespace {

// Opens `name` as a stream; nullptr when it fails or `name` is a folder
// (errno then says so: EISDIR).
std::FILE* open_file_stream(const std::string& name, const char* how) {
  std::FILE* stream = std::fopen(name.c_str(), how);
  std::error_code ignored;
  if (stream != nullptr && std::filesystem::is_directory(name, ignored)) {
    static_cast<void>(std::fclose(stream));  // opened read-only: nothing to write out
    errno = EISDIR;
    return nullptr;
  }
  return stream;
}

// Opens `name` with the modes tried in order; nullptr when every one fails.
std::FILE* open_stream(const std::string& name, FileMode mode) {
  switch (mode) {
    case FileMode::kOutput:
      return open_file_stream(name, "wb");
    case FileMode::kInput:
      return open_file_stream(name, "rb");
    case FileMode::kBinary:
      for (const char* how : {"r+b", "w+b", "rb"}) {
        if (std::FILE* stream = open_file_stream(name, how)) return stream;
      }
      return nullptr;
  }
  return nullptr;
}

}  // namespace

FileTable::Entry* FileTable::entry(int number) {
  if (number < 1 || number > kFileCount) return nullptr;
  Entry& e = entries_[static_cast<std::size_t>(number - 1)];
  return e.stream ? &e : nullptr;
}

const FileTable::Entry* FileTable::entry(int number) const {
  return const_cast<FileTable*>(this)->entry(number);
}

int FileTable::free_file_number() const {
  for (int number = 1; number <= kFileCount; ++number) {
    if (!entry(number)) return number;
  }
  return 0;
}

bool FileTable::open_file(std::string_view name, FileMode mode, int number) {
  if (number < 1 || number > kFileCount || entry(number)) {
    failure_ = "file number " + std::to_string(number) + " is not free";
    return false;
  }
  std::FILE* stream = open_stream(std::string(name), mode);
  if (!stream) {
    failure_ = last_system_error();
    return false;
  }
  // The buffer is our own: some C libraries ignore the size when they are
  // left to allocate it, and the file must be written in 8192-byte blocks.
  auto buffer = std::make_unique<std::array<char, kBufferSize>>();
  // It cannot fail: the mode is valid and the stream has not been used yet.
  static_cast<void>(std::setvbuf(stream, buffer->data(), _IOFBF, buffer->size()));
  entries_[static_cast<std::size_t>(number - 1)] = Entry{stream, std::move(buffer), mode, false};
  return true;
}

bool FileTable::close_file(int number) {
  Entry* file = entry(number);
  if (!file) return false;
  // A write that failed earlier has left its words in failure_ already; a
  // full disk often shows only here, when the last block is written out,
  // before the buffer goes.
  const bool failed_before = std::ferror(file->stream) != 0;
  const bool closed = std::fclose(file->stream) == 0;
  if (!closed) failure_ = last_system_error();
  *file = Entry{};
  return closed && !failed_before;
}

std::int32_t FileTable::file_length(int number) {
  Entry* file = entry(number);
  if (!file) return 0;
  const long here = std::ftell(file->stream);
  if (here < 0 || std::fseek(file->stream, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file->stream);
  const bool kept = std::fseek(file->stream, here, SEEK_SET) == 0;
  if (end < 0 || !kept) return 0;
  // A length beyond the 32-bit count is reported as the largest count.
  return static_cast<std::int32_t>(std::min<long>(end, std::numeric_limits<std::int32_t>::max()));
}

std::string FileTable::read_chars(std::size_t count, int number) {
  Entry* file = entry(number);
  if (!file || count == 0) return {};
  if (file->mode == FileMode::kInput) return read_text(*file, count);
  std::string bytes(count, '\0');
  bytes.resize(std::fread(bytes.data(), 1, count, file->stream));
  if (std::ferror(file->stream) != 0) return {};
  return bytes;
}

// Reads `count` bytes as text: each CR LF pair gives one LF (a CR at the end
// of the bytes read looks at the next byte for its LF), and byte 26 ends the file.
std::string FileTable::read_text(Entry& file, std::size_t count) {
  if (file.ended) return {};
  std::string raw(count, '\0');
  raw.resize(std::fread(raw.data(), 1, count, file.stream));
  if (std::ferror(file.stream) != 0) return {};
  std::string text;
  text.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == 26) {
      file.ended = true;
      break;
    }
    if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    if (c == '\r' && i + 1 == raw.size()) {
      const int next = std::fgetc(file.stream);
      if (next == '\n') {
        text += '\n';
        break;
      }
      // One byte pushed back always fits: the C library guarantees one.
      if (next != EOF) static_cast<void>(std::ungetc(next, file.stream));
    }
    text += c;
  }
  return text;
}

bool FileTable::write_text(int number, std::string_view text, bool line_end) {
  Entry* file = entry(number);
  if (!file) return false;
  bool ok = text.empty() || std::fwrite(text.data(), 1, text.size(), file->stream) == text.size();
  if (line_end) ok = std::fwrite("\r\n", 1, 2, file->stream) == 2 && ok;
  if (!ok) failure_ = last_system_error();
  return ok;
}

void FileTable::close_all() {
  for (int number = 1; number <= kFileCount; ++number) close_file(number);
}

void delete_file(std::string_view name) {
  static_cast<void>(std::remove(std::string(name).c_str()));  // failure ignored, as promised
}

}  // namespace qb
