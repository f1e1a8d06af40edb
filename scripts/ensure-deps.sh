#!/bin/sh
# Makes sure the packages the build and the tests need are installed. As
# root it installs what is missing with apt-get; otherwise it prints the one
# command that would, and fails.
set -eu

packages="g++ cmake ninja-build make libgtest-dev libvterm-dev pkg-config"
for extra in "$@"; do packages="$packages $extra"; done

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "Missing packages:$missing (install them with your system's package manager)" >&2
  exit 1
fi
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
else
  echo "Some packages are missing. Install them with:" >&2
  echo "  sudo apt-get install -y$missing" >&2
  exit 1
fi
