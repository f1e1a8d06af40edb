#!/bin/sh
# The Windows suite of `make test`: builds the program, the stand-in tools
# and the unit tests for Windows with MinGW-w64 (a release build, warnings
# as errors) and runs the tests under
# wine; then, given the POSIX build, runs its end-to-end tests against the
# Windows program under wine (the tests labelled "wine", which run
# build-win/quillbarrow.exe). Run as root it installs the cross compiler
# and wine, and perl and glibc's locale sources (the list of locales that
# the test of the locale lookup goes through), when they are missing;
# otherwise it says how to install them and skips the suite.
#   test-windows.sh [Windows build directory] [POSIX build directory]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-win}
posix_build=${2:-}

status=0
scripts/ensure-deps.sh --windows perl locales || status=$?
if [ "$status" -eq 2 ]; then
  echo "Skipping the Windows suite: the MinGW-w64 cross compiler or wine is missing (see above)."
  exit 0
elif [ "$status" -ne 0 ]; then
  exit "$status"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DQB_WERROR=ON >/dev/null
cmake --build "$build"

# One wine server for the whole suite, kept a little after the last program
# ends, instead of one started and stopped for every test; started once the
# build is done, so that it has not ended before the tests begin, and the
# wine prefix made and its services started now, not inside a test's time
# limit or while the first tests start.
if server=$(scripts/find-wine.sh --server); then
  "$server" -p30 2>/dev/null || true
fi
scripts/wine-run.sh cmd /c exit 0 >/dev/null
ctest --test-dir "$build" --output-on-failure -j2
if [ -n "$posix_build" ] && [ -f "$posix_build/CTestTestfile.cmake" ]; then
  ctest --test-dir "$posix_build" --output-on-failure -j2 -L wine
fi
