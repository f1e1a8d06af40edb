#!/bin/sh
# clang-tidy over the program's own sources (src/ and tools/, not the tests)
# with the checks of .clang-tidy: every file of the POSIX build, from its
# compile_commands.json, and the files that only the Windows build compiles
# (src/platform/win32, tools/host_win32.cpp), from the MinGW-w64 build's,
# parsed for x86_64-w64-mingw32 against MinGW-w64's headers. Both lists go
# through one pool of nproc clang-tidy processes, the costliest files first
# (the Windows ones, which read <windows.h>, then the rest by size), so no
# core waits idle behind one long file at the end. Prints each finding
# once, then the count for each check and the time taken; the full output
# stays in <POSIX build>/lint/. Exits 1 if there is any finding.
#   lint.sh [POSIX build directory] [Windows build directory]
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
posix_build=${1:-build}
win_build=${2:-build-win-release}
jobs=$(nproc 2>/dev/null || echo 2)
start=$(date +%s)

scripts/ensure-deps.sh clang-tidy
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
out=$posix_build/lint
rm -rf "$out"

# The compile commands are all clang-tidy needs: configuring is enough.
cmake -S . -B "$posix_build" -G Ninja -DQB_SANITIZE=ON -DQB_WERROR=ON >/dev/null
mkdir -p "$out"

# The program's own sources in a build's compile_commands.json, one a line.
sources() {
  sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$1/compile_commands.json" |
    grep -E "^$root/(src|tools)/" | grep -v '_test\.cpp$' | sort -u
}

# Windows: clang 14 does not find Debian's MinGW-w64 GCC (its folders are
# named 12-posix and 12-win32) and would read the host's headers, so the C++
# library and the Windows headers come from the cross compiler's own search
# list instead, beside clang's built-in headers (not GCC's, which clang
# cannot read).
windows_arguments() {
  echo --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-nostdlibinc
  for dir in $(echo | x86_64-w64-mingw32-g++-posix -x c++ -E -v - 2>&1 |
               sed -n '/<...> search starts here/,/End of search/p' | grep '^ /'); do
    case $dir in
      */include/c++*|*/x86_64-w64-mingw32/include) echo "--extra-arg=-isystem$dir" ;;
    esac
  done
}

sources "$posix_build" >"$out/posix-files"
posix_count=$(wc -l <"$out/posix-files")
: >"$out/win32-files"
win_arguments=
if scripts/ensure-deps.sh --windows >/dev/null 2>&1 &&
   command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  cmake -S . -B "$win_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DQB_TESTS=OFF >/dev/null
  sources "$win_build" | grep -E '/win32/|_win32\.cpp$' >"$out/win32-files"
  win_arguments=$(windows_arguments | tr '\n' ' ')
else
  echo "Skipping the Windows sources: the MinGW-w64 cross compiler is missing."
fi
win_count=$(wc -l <"$out/win32-files")

# The jobs, one a line: the build directory and the file.
{
  sed "s|^|$win_build |" "$out/win32-files"
  xargs -r ls -S <"$out/posix-files" | sed "s|^|$posix_build |"
} >"$out/jobs"

# Each file's output in a file of its own, $jobs files at a time; the
# Windows build's files get the arguments above (split into words here).
xargs -r -P "$jobs" -L 1 sh -c '
  out=$1 tidy=$2 filter=$3 win_build=$4 win_arguments=$5 build=$6 file=$7
  extra=
  [ "$build" = "$win_build" ] && extra=$win_arguments
  # $extra unquoted on purpose: each of its words is one argument.
  "$tidy" --quiet -p "$build" "--header-filter=$filter" $extra "$file" \
    >"$out/$(printf %s "$file" | tr / _).txt" 2>/dev/null || true' sh \
  "$out" "$tidy" "^$root/(src|tools)/" "$win_build" "$win_arguments" <"$out/jobs"

# Each finding once (a header's findings come with every file that includes
# it), then the count for each check.
cat "$out"/*.txt | grep -E '^/.*:[0-9]+:[0-9]+: (warning|error): .* \[[^]]+\]$' |
  sort -u >"$out/findings"
sed "s|^$root/||" "$out/findings"
echo
echo "Findings per check:"
sed -E 's/.*\[([^]]+)\]$/\1/' "$out/findings" | tr ',' '\n' | sort | uniq -c | sort -rn
total=$(wc -l <"$out/findings")
echo "$total findings in $posix_count POSIX and $win_count Windows-only files," \
     "$(($(date +%s) - start)) s on $jobs cores."
[ "$total" -eq 0 ]
