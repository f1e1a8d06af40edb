// Fuzzes the resource script writer with any record: the script always has
// exactly 35 CR LF pairs and no other CR or LF, and its length is the 508
// fixed bytes plus the lengths of the variable parts, worked out here on
// their own from the answers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "driver/project_info.h"
#include "platform/memory_backend.h"
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

// The length of the text without its trailing spaces and NUL bytes.
std::size_t trimmed(std::string_view text) {
  const std::size_t end = text.find_last_not_of(std::string_view(" \0", 2));
  return end == std::string_view::npos ? 0 : end + 1;
}

// The bytes the answers add to the fixed text of the script.
std::size_t variable_bytes(const qb::ProjectInfo& p) {
  const auto icon_line = [](std::size_t n) -> std::size_t { return n == 0 ? 0 : 9 + n; };
  const auto short_version = [](std::size_t n) -> std::size_t {
    return n == 0 ? 0 : std::min<std::size_t>(n, 3) + 1;
  };
  const std::string_view source = p.source_file.view().substr(0, trimmed(p.source_file.view()));
  const std::size_t dot = source.find('.');
  const std::size_t base = dot == std::string_view::npos ? 0 : dot;
  return trimmed(p.icon1.view()) + icon_line(trimmed(p.icon2.view())) +
         icon_line(trimmed(p.icon3.view())) + trimmed(p.file_version.view()) + 2 +
         trimmed(p.product_version.view()) + 2 + trimmed(p.file_description.view()) +
         trimmed(p.copyright.view()) + trimmed(p.product_name.view()) +
         trimmed(p.publisher.view()) + trimmed(p.website.view()) + trimmed(p.comments.view()) +
         short_version(trimmed(p.file_version.view())) +
         short_version(trimmed(p.product_version.view())) + 2 * base;
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
