// File and output helpers of the stand-in tools, in portable C++.
#include "standin_io.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host.h"

namespace qb::tools {

std::optional<std::string> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool write_file(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

// The name goes to the C library as it is, which reads it as the system
// does (the ANSI page on Windows); std::filesystem would read a name beyond
// ASCII there in a page of its own.
bool file_exists(const std::string& path) {
  std::error_code error;
  return std::ifstream(path, std::ios::binary).is_open() &&
         !std::filesystem::is_directory(path, error);
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

bool emit(std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  return std::fflush(stdout) == 0 && written;
}

std::string success_output(const char* hook, std::string_view normal) {
  const std::string path = environment(hook);
  if (path.empty()) return std::string(normal);
  const std::optional<std::string> bytes = read_file(path);
  return bytes ? *bytes : "test hook " + std::string(hook) + ": cannot read " + path + "\r\n";
}

int exit_status(const char* hook, int normal) {
  const std::string value = environment(hook);
  if (value.empty()) return normal;
  // Read as atoi would (0 for no number), the int range kept.
  const long number = std::strtol(value.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

}  // namespace qb::tools
