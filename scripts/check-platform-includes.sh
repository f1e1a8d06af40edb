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

# The side a file belongs to: posix, win32, or both.
side() {
  case "$1" in
    */posix/* | *_posix*) echo posix ;;
    */win32/* | *_win32*) echo win32 ;;
    *) echo both ;;
  esac
}

failed=0
for file in $(sources "$root/src" "$root/tools"); do
  case "$(side "${file#"$root"}")" in
    posix) continue ;;
    win32) forbidden=$posix_headers ;;
    *) forbidden=$posix_only_headers ;;
  esac
  if grep -nE "$include($forbidden)>" "$file"; then
    echo "$file: includes a POSIX header but is compiled for Windows too (move it to a posix/ folder)"
    failed=1
  fi
done
for file in $(sources "$root/src" "$root/tools" "$root/tests" "$root/bench"); do
  [ "$(side "${file#"$root"}")" = win32 ] && continue
  if grep -niE "$include($windows_headers)>" "$file"; then
    echo "$file: includes a Windows header outside the Windows side"
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "Platform headers stay on their side."
exit "$failed"
