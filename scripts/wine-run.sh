#!/bin/bash
# Runs one Windows program under wine, for CTest and test discovery. The
# program gets a pseudo-terminal as its controlling terminal, so wine gives
# it a real console (its screen buffers and input queue work as on Windows),
# while its standard output and error go to a file that is printed afterwards:
# the caller sees the program's own text, not wine's drawing of the console.
# The exit status is the program's. It runs in C.UTF-8, an English Windows,
# whatever locale the caller's shell has.
#   wine-run.sh program.exe [arguments...]
set -u
here=$(cd "$(dirname "$0")" && pwd)

# The terminal's input is a pipe that never ends: at an end of input, script
# would type an end-of-file character into the console as a key.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkfifo "$work/keys"
exec 3<>"$work/keys"
command_line=$(printf '%q ' env LC_ALL=C.UTF-8 "$here/wine-exec.sh" "$@")
script -qec "$command_line >$(printf '%q' "$work/output") 2>&1" /dev/null <&3 >/dev/null
status=$?
exec 3>&-
cat "$work/output"
exit $status
