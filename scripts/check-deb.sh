#!/bin/sh
# Checks the Debian packages that `make dist` made with lintian, its info
# tags included, and fails on any error or warning. Run as root it installs
# lintian when it is missing; otherwise, without lintian, it says so and
# leaves the packages unchecked (lintian is not needed to build them).
#   check-deb.sh [folder of the packages]
set -eu
cd "$(dirname "$0")/.."
folder=${1:-build-release}

if ! scripts/ensure-deps.sh --program lintian; then
  echo "lintian is not installed: the Debian package was not checked."
  exit 0
fi
status=0
for deb in "$folder"/*.deb; do
  [ -f "$deb" ] || continue
  # Lintian's word that it dislikes running as root is no finding.
  tags=$(lintian --info --display-info --fail-on error,warning "$deb" 2>&1) || status=1
  tags=$(printf '%s\n' "$tags" | grep -v '^running with root privileges' || true)
  if [ -n "$tags" ]; then
    printf '%s\n' "$tags"
  elif [ "$status" -eq 0 ]; then
    echo "lintian: $(basename "$deb") has no error, warning or info tag."
  fi
done
exit "$status"
