#!/bin/sh
# Prints the wine that runs Windows programs on this machine, chosen as the
# program's command runner chooses it (find_wine): the one that WINE names
# (a path, or a name on PATH) when it is set; otherwise wine on PATH, or
# else /usr/lib/wine/wine64, where Debian's wine64 package alone puts it.
# With --server it prints that wine's server instead: wineserver64 or
# wineserver beside it, else wineserver on PATH. Fails, printing nothing,
# when there is none. The scripts that run wine all find it here.
#   find-wine.sh [--server]

# Prints the program $1 (a path as it stands, a name on PATH) when it is one.
program() {
  case $1 in
    */*) [ -f "$1" ] && [ -x "$1" ] && echo "$1" ;;
    *) command -v "$1" 2>/dev/null ;;
  esac
}

if [ -n "${WINE:-}" ]; then
  wine=$(program "$WINE") || exit 1
else
  wine=$(program wine || program /usr/lib/wine/wine64) || exit 1
fi
if [ "${1:-}" != --server ]; then
  echo "$wine"
  exit 0
fi
folder=$(dirname "$wine")
program "$folder/wineserver64" || program "$folder/wineserver" || program wineserver
