// A scratch working folder for whole runs under stress: the sample source,
// the icons and the stand-in tools (or small shell scripts standing in for
// them), a way to start the program there in a pseudo-terminal, and a way
// to start it (through setpriv) without the superuser's right to write
// where the folder's permissions forbid it, so read-only folders and files
// mean the same to root as to anyone else. The folder is removed,
// permissions and all.
#ifndef QB_TESTS_E2E_WORK_FOLDER_H
#define QB_TESTS_E2E_WORK_FOLDER_H

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/posix/commands/search_path.h"
#include "program_screens.h"
#include "support/demo_icons.h"
#include "support/scratch_folder.h"

namespace qb::test {

class WorkFolder {
 public:
  // An empty working folder inside a fresh scratch folder.
  WorkFolder() { std::filesystem::create_directory(work()); }
  // Gives back the owner's rights the tests took away, so the scratch
  // folder can be removed.
  ~WorkFolder() {
    std::error_code ignored;
    namespace fs = std::filesystem;
    fs::permissions(work(), fs::perms::owner_all, fs::perm_options::add, ignored);
    for (fs::recursive_directory_iterator it(work(), ignored), end; !ignored && it != end;
         it.increment(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  std::filesystem::path work() const { return scratch_.path() / "work"; }
  std::string path(const std::string& name) const { return (work() / name).string(); }
  bool exists(const std::string& name) const { return std::filesystem::exists(work() / name); }

  // Writes `bytes` as the file `name` in the working folder.
  void put(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  // The whole file `name` from the working folder ("" when missing).
  std::string get(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // An executable shell script `name` running `body`.
  void script(const std::string& name, const std::string& body) const {
    put(name, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path(name), std::filesystem::perms::owner_all |
                                                 std::filesystem::perms::group_exec |
                                                 std::filesystem::perms::others_exec);
  }

  // The sample source, the icons drawn by `make_icons` and the stand-in
  // tools as GORC.EXE and FBC.EXE.
  void add_standins(const std::string& gorc, const std::string& fbc) const {
    copy_demo_icons(work());
    put("hello.bas", "print \"Hello\"\r\n");
    std::filesystem::copy_file(gorc, work() / "GORC.EXE");
    std::filesystem::copy_file(fbc, work() / "FBC.EXE");
  }

  // Options that start `program` in the working folder.
  PtyOptions options(const std::string& program, const std::vector<std::string>& env = {}) const {
    PtyOptions options = launch_options(program);
    options.directory = work().string();
    options.env = env;
    return options;
  }
  // The same, but with every capability dropped when the tests run as root,
  // so file permissions hold for the program and the tools it runs.
  PtyOptions unprivileged(const std::string& program,
                          const std::vector<std::string>& env = {}) const {
    PtyOptions result = options(program, env);
    if (::geteuid() == 0) {
      const std::string setpriv = find_program("setpriv").value_or("").string();
      result.prefix = {setpriv, "--inh-caps=-all", "--bounding-set=-all", "--"};
    }
    return result;
  }

 private:
  const ScratchFolder scratch_{ScratchFolder::Enter::kNo};
};

inline const std::string kResultPrompt = "Press any key to quit.";

// The short run's answers, with `params` as the compiler's extra parameters.
inline std::vector<std::string> run_answers(const std::string& params = "") {
  return with_params(kFormAnswers, params);
}

inline void type_answers(PtySession& session, const std::vector<std::string>& answers) {
  for (const std::string& answer : answers) session.send(answer + "\r");
}

// The state letter of a process in /proc (R, S, T stopped, Z ended); '-'
// when it is gone.
inline char state_of(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return '-';
  const auto close = line.rfind(')');
  return close == std::string::npos || close + 2 >= line.size() ? '?' : line[close + 2];
}

}  // namespace qb::test

#endif  // QB_TESTS_E2E_WORK_FOLDER_H
