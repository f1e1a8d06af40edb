// Fuzzes the resource script writer with any record: the script always has
// exactly 35 CR LF pairs and no other CR or LF, and its length is the 508
// fixed bytes plus the lengths of the variable parts (the string values with
// their double quotes and backslashes doubled), worked out here on their own
// from the answers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "driver/shared/project_info.h"
#include "platform/memory/memory_backend.h"
#include "rcscript/script_template.h"
#include "rcscript/script_writer.h"
#include "support/scratch_folder.h"

namespace {

// Takes the next answer: a length byte and that many bytes, without line
// ends (the editor never lets one into an answer).
std::string next_answer(const std::uint8_t*& data, std::size_t& size) {
  if (size == 0) return {};
  const std::size_t length = std::min<std::size_t>(data[0], size - 1);
  std::string text(reinterpret_cast<const char*>(data + 1), length);
  data += length + 1;
  size -= length + 1;
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

// The text without its trailing spaces and NUL bytes.
std::string_view trimmed(std::string_view text) {
  const std::size_t end = text.find_last_not_of(std::string_view(" \0", 2));
  return text.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

// The length of a value inside its quotes, each double quote and backslash
// doubled; no byte's ANSI form is either, so the OEM text tells.
std::size_t quoted_length(std::string_view value) {
  return value.size() +
         static_cast<std::size_t>(std::count_if(value.begin(), value.end(),
                                                [](char c) { return c == '"' || c == '\\'; }));
}

// The bytes the answers add to the fixed text of the script.
std::size_t variable_bytes(const qb::ProjectInfo& p) {
  const auto icon_line = [](std::string_view name) -> std::size_t {
    return name.empty() ? 0 : 9 + name.size();
  };
  const std::string_view source = trimmed(p.source_file.view());
  const std::size_t dot = source.find('.');
  const std::string_view base = source.substr(0, dot == std::string_view::npos ? 0 : dot);
  const std::string_view file_version = trimmed(p.file_version.view());
  const std::string_view product_version = trimmed(p.product_version.view());
  const auto short_version = [](std::string_view v) {
    return v.empty() ? std::string() : std::string(v.substr(0, 3)) + v.back();
  };
  return trimmed(p.icon1.view()).size() + icon_line(trimmed(p.icon2.view())) +
         icon_line(trimmed(p.icon3.view())) + file_version.size() + 2 + product_version.size() + 2 +
         quoted_length(trimmed(p.file_description.view())) +
         quoted_length(trimmed(p.copyright.view())) +
         quoted_length(trimmed(p.product_name.view())) +
         quoted_length(trimmed(p.publisher.view())) + quoted_length(trimmed(p.website.view())) +
         quoted_length(trimmed(p.comments.view())) + quoted_length(short_version(file_version)) +
         quoted_length(short_version(product_version)) + 2 * quoted_length(base);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qb::ProjectInfo p;
  for (auto* field : {&p.source_file, &p.icon1, &p.icon2, &p.icon3, &p.file_description,
                      &p.publisher, &p.comments, &p.website, &p.product_name}) {
    field->store(next_answer(data, size));
  }
  p.file_version.store(next_answer(data, size));
  p.product_version.store(next_answer(data, size));
  p.copyright.store(next_answer(data, size));

  static const qb::ScratchFolder folder(qb::ScratchFolder::Enter::kNo);
  const std::string path = folder.path("RESFILE.RC");
  qb::MemoryBackend backend;
  qb::Platform platform(backend);
  qb::write_resource_script(platform, qb::build_script_template(), path, p);
  std::ifstream in(path, std::ios::binary);
  const std::string script{std::istreambuf_iterator<char>(in), {}};

  std::size_t pairs = 0;
  for (std::size_t i = 0; i < script.size(); ++i) {
    if (script[i] == '\r' && i + 1 < script.size() && script[i + 1] == '\n') {
      ++pairs;
      ++i;
    } else if (script[i] == '\r' || script[i] == '\n') {
      std::abort();
    }
  }
  if (pairs != 35 || script.size() != 508 + variable_bytes(p)) std::abort();
  return 0;
}
