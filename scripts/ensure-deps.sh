#!/bin/sh
# Makes sure the packages the build and the tests need are installed. As
# root it installs what is missing with apt-get; otherwise it prints the one
# command that would, and exits with status 2.
#   ensure-deps.sh [package...]            the POSIX build, tests and any extras
#   ensure-deps.sh --program [package...]  only what the program's own build needs
#   ensure-deps.sh --windows [package...]  the Windows cross build and wine
set -eu

packages="g++ cmake ninja-build make libgtest-dev libvterm-dev pkg-config locales"
apt_options=""
if [ "${1:-}" = "--program" ]; then
  shift
  # The program and the stand-in tools need a compiler and nothing else.
  packages="g++ cmake ninja-build make"
elif [ "${1:-}" = "--windows" ]; then
  shift
  # The cross compiler, GoogleTest's sources to build for Windows, and wine
  # to run the result; wine's long list of recommended extras is not needed.
  packages="g++-mingw-w64-x86-64 googletest wine64"
  apt_options="--no-install-recommends"
fi
for extra in "$@"; do packages="$packages $extra"; done

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "Missing packages:$missing (install them with your system's package manager)" >&2
  exit 2
fi
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $apt_options $missing >/dev/null
else
  echo "Some packages are missing. Install them with:" >&2
  echo "  sudo apt-get install -y ${apt_options:+$apt_options }${missing# }" >&2
  exit 2
fi
