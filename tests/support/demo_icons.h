// The demo's two icons for tests that run the stand-in tools. The build
// draws them once with make_icons into the folder QB_DEMO_ICONS names, and
// each test copies them into its working folder, which costs far less
// than starting the icon maker for every test.
#ifndef QB_TESTS_SUPPORT_DEMO_ICONS_H
#define QB_TESTS_SUPPORT_DEMO_ICONS_H

#include <filesystem>

namespace qb {

// Copies app.ico and small.ico into `folder`; throws when it cannot.
inline void copy_demo_icons(const std::filesystem::path& folder) {
  for (const char* name : {"app.ico", "small.ico"})
    std::filesystem::copy_file(std::filesystem::path(QB_DEMO_ICONS) / name, folder / name);
}

}  // namespace qb

#endif  // QB_TESTS_SUPPORT_DEMO_ICONS_H
