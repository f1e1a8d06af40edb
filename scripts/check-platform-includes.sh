#!/bin/sh
# Keeps the two builds apart at the level of headers: no file that the
# Windows build compiles (everything in src/ and tools/ but the *_posix
# files) includes a POSIX header, and no file outside the *_win32 files
# includes a Windows header.
#   check-platform-includes.sh [source root]
set -eu
root=${1:-$(dirname "$0")/..}

posix_headers='unistd\.h|termios\.h|sys/[^>]*|poll\.h|signal\.h|csignal|pthread\.h|pty\.h|dirent\.h|dlfcn\.h|spawn\.h|pwd\.h|grp\.h|utmp\.h|util\.h|libutil\.h'
# fcntl.h is POSIX's, except in the *_win32 files, where it is the C runtime's
# (the _O_BINARY mode of _setmode).
posix_only_headers="$posix_headers|fcntl\.h"
windows_headers='windows\.h|win[a-z0-9_]*\.h|conio\.h|io\.h|direct\.h|process\.h|tchar\.h|ntdef\.h'
include='^[[:space:]]*#[[:space:]]*include[[:space:]]*<'

sources() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort
}

failed=0
for file in $(sources "$root/src" "$root/tools"); do
  case "$(basename "$file")" in
    *_posix*) continue ;;
    *_win32*) forbidden=$posix_headers ;;
    *) forbidden=$posix_only_headers ;;
  esac
  if grep -nE "$include($forbidden)>" "$file"; then
    echo "$file: includes a POSIX header but is compiled for Windows too (name it *_posix*)"
    failed=1
  fi
done
for file in $(sources "$root/src" "$root/tools" "$root/tests" "$root/bench"); do
  case "$(basename "$file")" in *_win32*) continue ;; esac
  if grep -niE "$include($windows_headers)>" "$file"; then
    echo "$file: includes a Windows header outside the *_win32 files"
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "Platform headers stay on their side."
exit "$failed"
