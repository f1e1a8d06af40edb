#!/bin/sh
# Runs a Windows program under wine (the one find-wine.sh finds) in place of
# this script (same process), with the settings every test run uses: no
# wine diagnostics; the locale that LC_ALL names, else C.UTF-8 (the code
# pages of an English Windows, OEM 437 and ANSI 1252, whatever the machine's
# locale), which must be installed or made where LOCPATH points, since wine names files in its character set;
# UTF-8 on the terminal; the folder of the machine's llvm-rc on wine's
# search path, where the Windows stand-in tools find llvm; and no prompts to
# install wine's .NET or HTML parts.
#   [LC_ALL=locale] wine-exec.sh program.exe [arguments...]
wine=$("$(dirname "$0")/find-wine.sh") || {
  echo "wine-exec.sh: wine is not installed" >&2
  exit 127
}
export WINEDEBUG=-all
export LC_ALL="${LC_ALL:-C.UTF-8}"
export WINEDLLOVERRIDES="mscoree,mshtml=;${WINEDLLOVERRIDES:-}"
llvm_rc=$(command -v llvm-rc 2>/dev/null || true)
if [ -n "$llvm_rc" ]; then
  export WINEPATH="Z:$(dirname "$llvm_rc" | tr / '\\')${WINEPATH:+;$WINEPATH}"
fi
case "$wine" in */wine64) export WINELOADER="$wine" ;; esac
exec "$wine" "$@"
