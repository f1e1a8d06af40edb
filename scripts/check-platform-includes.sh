#!/bin/sh
# Keeps the two builds apart at the level of headers: no file that the
# Windows build compiles (everything in src/ and tools/ but the posix/
# folders and the *_posix files) includes a POSIX header, and no file
# outside the win32/ folders and the *_win32 files includes a Windows header.
#   check-platform-includes.sh [source root]
set -eu
root=${1:-$(dirname "$0")/..}

posix_headers='unistd\.h|termios\.h|sys/[^>]*|poll\.h|signal\.h|csignal|pthread\.h|pty\.h|dirent\.h|dlfcn\.h|spawn\.h|pwd\.h|grp\.h|utmp\.h|util\.h|libutil\.h'
# fcntl.h is POSIX's, except on the Windows side, where it is the C runtime's
# (the _O_BINARY mode of _setmode).
posix_only_headers="$posix_headers|fcntl\.h"
windows_headers='windows\.h|win[a-z0-9_]*\.h|conio\.h|io\.h|direct\.h|process\.h|tchar\.h|ntdef\.h'
include='^[[:space:]]*#[[:space:]]*include[[:space:]]*<'

sources() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort
}

# The sources of one side ($1: posix, win32 or both) in the folders after
# it, one a line; a file's side is told by its path below the root.
side_sources() {
  side=$1
  shift
  sources "$@" | while IFS= read -r file; do
    case "${file#"$root"}" in
      */posix/* | *_posix*) [ "$side" = posix ] && echo "$file" ;;
      */win32/* | *_win32*) [ "$side" = win32 ] && echo "$file" ;;
      *) [ "$side" = both ] && echo "$file" ;;
    esac
  done
}

# Of the files on standard input, prints the lines that include a header
# matching $1 (grep -E, with the grep options $2), then $3 after each such
# file's name; false when there are none. One grep for all the files, not
# one a file: this runs as a test, beside others.
offenders() {
  found=$(tr '\n' '\0' | xargs -0 -r grep -l ${2:+"$2"} -E "$include($1)>") || return 1
  [ -n "$found" ] || return 1
  echo "$found" | tr '\n' '\0' | xargs -0 grep -n ${2:+"$2"} -E "$include($1)>"
  echo "$found" | while IFS= read -r file; do echo "$file: $3"; done
}

failed=0
side_sources win32 "$root/src" "$root/tools" | offenders "$posix_headers" "" \
  "includes a POSIX header but is compiled for Windows too (move it to a posix/ folder)" && failed=1
side_sources both "$root/src" "$root/tools" | offenders "$posix_only_headers" "" \
  "includes a POSIX header but is compiled for Windows too (move it to a posix/ folder)" && failed=1
for side in both posix; do
  side_sources $side "$root/src" "$root/tools" "$root/tests" "$root/bench"
done | offenders "$windows_headers" -i "includes a Windows header outside the Windows side" && failed=1
[ "$failed" -eq 0 ] && echo "Platform headers stay on their side."
exit "$failed"
