#!/bin/sh
# Runs a Windows program under wine in place of this script (same process),
# with the settings every test run uses: no wine diagnostics, the code pages
# of an English Windows (OEM 437, ANSI 1252) and UTF-8 on the terminal unless
# the caller sets LC_ALL (a test that runs in a locale of its own), and no
# prompts to install wine's .NET or HTML parts.
#   wine-exec.sh program.exe [arguments...]
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)" "$(command -v wine 2>/dev/null)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then
    export WINEDEBUG=-all
    export LC_ALL="${LC_ALL:-C.UTF-8}"
    export WINEDLLOVERRIDES="mscoree,mshtml=;${WINEDLLOVERRIDES:-}"
    case "$candidate" in */wine64) export WINELOADER="$candidate" ;; esac
    exec "$candidate" "$@"
  fi
done
echo "wine-exec.sh: wine is not installed" >&2
exit 127
