#!/bin/sh
# Makes the code page tables of src/platform/text/code_pages/ again, from
# Windows' own functions run under wine (scripts/code_page_tables/):
# which OEM page each locale has, and for each page its characters (in the
# double-byte pages 932, 936, 949 and 950 also its pairs), its best fit and
# OemToCharA's table to its ANSI page. OemToCharA converts from the process's
# own OEM page, so each page is read in a process started under a locale
# that has it, made with localedef (ja_JP.UTF-8 for 932, and so on). The
# ANSI pages that are no locale's OEM page (1250 to 1257) get the same
# record, their own ANSI page, without OemToCharA. The
# page of each locale glibc supports goes by the script glibc writes it in,
# which glibc_scripts.pl reads from glibc's locale sources. Needs MinGW-w64,
# wine, perl and glibc's locale sources (package locales); about a minute.
#   make-code-pages.sh
set -eu
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh --windows locales perl
out=src/platform/text/code_pages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/locales" "$work/out"

wine=$(scripts/find-wine.sh) || { echo "make-code-pages.sh: wine is not installed" >&2; exit 1; }

x86_64-w64-mingw32-g++ -std=c++20 -O1 -static -Isrc -o "$work/tables.exe" scripts/code_page_tables/*.cpp

# Runs the table program under wine in the POSIX locale $1.
tables() {
  locale=$1
  shift
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LOCPATH="$work/locales" LC_ALL="$locale" \
    "$wine" "$work/tables.exe" "$@"
}

# Each page from the first of its locales that glibc also has.
tables C.UTF-8 pages >"$work/pages"
tables C.UTF-8 double-byte-pages >>"$work/pages"
while read -r page ansi names; do
  done_page=""
  for name in $names; do
    # sr-Cyrl-RS is sr_RS.UTF-8@cyrillic, made from glibc's sr_RS.
    language=${name%%-*}
    territory=${name##*-}
    case $name in
      *-Latn-*) modifier=@latin ;;
      *-Cyrl-*) modifier=@cyrillic ;;
      *-*-*) continue ;;
      *) modifier="" ;;
    esac
    source=${language}_$territory$modifier
    [ -f "/usr/share/i18n/locales/$source" ] || source=${language}_$territory
    [ -f "/usr/share/i18n/locales/$source" ] || continue
    posix=${language}_$territory.UTF-8$modifier
    localedef -i "$source" -f UTF-8 "$work/locales/$posix" >/dev/null 2>&1 || true
    [ -d "$work/locales/$posix" ] || continue
    if tables "$posix" page "$page" >"$work/out/code_page_$page.cpp" 2>/dev/null; then
      echo "code page $page (ANSI $ansi): from $posix"
      done_page=yes
      break
    fi
  done
  [ -n "$done_page" ] || { echo "make-code-pages.sh: no locale gives code page $page" >&2; exit 1; }
done <"$work/pages"
# The ANSI pages that are no locale's OEM page, in any locale: nothing of
# theirs goes through OemToCharA.
tables C.UTF-8 ansi-pages >"$work/ansi_pages"
while read -r page; do
  tables C.UTF-8 ansi-page "$page" >"$work/out/code_page_$page.cpp"
  echo "code page $page (ANSI, its own)"
done <"$work/ansi_pages"
perl scripts/code_page_tables/glibc_scripts.pl >"$work/glibc"
tables C.UTF-8 locales <"$work/glibc" >"$work/out/locale_pages.cpp"

# Only the files made here: character_widths.cpp is make-width-table.sh's.
rm -f "$out"/code_page_*.cpp "$out"/locale_pages.cpp
mkdir -p "$out"
cp "$work/out"/*.cpp "$out/"
echo "Wrote $(ls "$work/out" | wc -l) files to $out"
