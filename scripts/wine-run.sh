#!/bin/bash
# Runs one Windows program under wine, for CTest and test discovery. The
# program gets a pseudo-terminal as its controlling terminal, so wine gives
# it a real console (its screen buffers and input queue work as on Windows),
# while its standard output and error go to a file that is printed afterwards:
# the caller sees the program's own text, not wine's drawing of the console.
# The exit status is the program's.
set -u

wine=""
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)" "$(command -v wine 2>/dev/null)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
done
if [ -z "$wine" ]; then
  echo "wine-run.sh: wine is not installed" >&2
  exit 127
fi

export WINEDEBUG=-all
# The code pages of an English Windows (OEM 437, ANSI 1252) whatever the
# machine's locale, and UTF-8 on the terminal.
export LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;${WINEDLLOVERRIDES:-}"
case "$wine" in */wine64) export WINELOADER="$wine" ;; esac

# The terminal's input is a pipe that never ends: at an end of input, script
# would type an end-of-file character into the console as a key.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkfifo "$work/keys"
exec 3<>"$work/keys"
command_line=$(printf '%q ' "$wine" "$@")
script -qec "$command_line >$(printf '%q' "$work/output") 2>&1" /dev/null <&3 >/dev/null
status=$?
exec 3>&-
cat "$work/output"
exit $status
