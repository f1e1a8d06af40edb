#!/bin/sh
# Makes src/platform/text/code_pages/character_widths.cpp again: the
# characters a terminal draws two cells wide and those it draws over the
# cell before, as glibc's wcwidth gives them in the C.UTF-8 locale, asked by
# the small program in scripts/width_table/. Needs a C++ compiler and
# glibc's C.UTF-8 locale, nothing of Windows; a few seconds.
#   make-width-table.sh
set -eu
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh --program
out=src/platform/text/code_pages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

c++ -std=c++20 -O1 -o "$work/width_table" scripts/width_table/width_table.cpp
"$work/width_table" >"$work/character_widths.cpp"
mkdir -p "$out"
cp "$work/character_widths.cpp" "$out/character_widths.cpp"
echo "Wrote $out/character_widths.cpp"
