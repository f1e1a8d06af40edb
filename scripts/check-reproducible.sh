#!/bin/sh
# Checks that the packages are reproducible: clones the current commit twice,
# into two temporary folders of different names and lengths, runs `make dist`
# and `make package` in each a little apart in time, under different time
# zones and umasks, and compares the Debian package, the .tar.gz and the
# Windows zip byte for byte. Also checks that neither clone's folder shows
# in its programs. Prints one line for each archive; exits 1 if any differs
# (and keeps the two clones for a look), 0 if all are identical.
# Uncommitted changes are not part of the check.
#   check-reproducible.sh
set -eu
cd "$(dirname "$0")/.."
commit=$(git rev-parse HEAD)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "Note: the working tree has uncommitted changes; checking commit $commit as committed."
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/qb-reproducible.XXXXXX")
keep=no
trap '[ "$keep" = yes ] || rm -rf "$work"' EXIT
# The dates come from the commit, as for a developer who sets nothing.
unset SOURCE_DATE_EPOCH

# build <folder> <umask> <time zone>
build() {
  echo "Building in $1 (umask $2, TZ=$3)..."
  if ! (umask "$2" && export TZ="$3" && git clone -q --no-checkout "$PWD" "$1" &&
        git -C "$1" checkout -q "$commit" &&
        make -C "$1" --no-print-directory dist package) >"$1.log" 2>&1; then
    keep=yes
    tail -n 30 "$1.log"
    echo "The build in $1 failed; its log is $1.log."
    exit 1
  fi
}

first=$work/a
second=$work/second-clone
build "$first" 022 UTC
sleep 2
build "$second" 077 America/New_York

status=0
for archive in build-release/quillbarrow_*.deb build-release/quillbarrow-*.tar.gz \
               build-win-release/quillbarrow-windows.zip; do
  # The archive's own name, as the first build made it.
  one=$(ls "$first"/$archive 2>/dev/null | head -n 1)
  name=${one#"$first"/}
  if [ -z "$one" ] || [ ! -f "$second/$name" ]; then
    echo "$archive: missing"
    status=1
  elif cmp -s "$one" "$second/$name"; then
    echo "$name: identical ($(sha256sum "$one" | cut -c1-16)...)"
  else
    echo "$name: different"
    status=1
  fi
done

# Neither clone's folder in the programs it built.
for clone in "$first" "$second"; do
  for program in build-release/quillbarrow build-win-release/quillbarrow.exe; do
    if strings -a "$clone/$program" | grep -q "$clone"; then
      echo "$program: names its build folder $clone"
      status=1
    fi
  done
done
if [ "$status" -eq 0 ]; then
  echo "Reproducible: both builds gave the same three archives, and no build folder shows in the programs."
else
  keep=yes
  echo "Not reproducible; both clones are kept in $work."
fi
exit "$status"
