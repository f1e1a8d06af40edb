#!/bin/bash
# The mutation check: makes one-line mutants of the program's sources and
# runs the tests against each, to find changes of behaviour that no test
# notices. A mutant flips a comparison (< and <=, > and >=, == and !=, &&
# and ||), moves a boundary or changes a constant (a number plus one, true
# and false swapped), or empties a return (return {}). Each is built in the
# sanitizer tree and run with the unit and end-to-end tests of `make
# check`; one that builds and passes every test survives, and is listed at
# the end. The source is put back after each mutant, and on any way out:
# each original waits beside its mutant until then.
#   mutate.sh [BASE]   mutants of the lines changed since BASE (default:
#                      the branch point from main), in the production
#                      files of src/ and tools/ that the change touched;
#                      with MUTATE_SAMPLE=N, N of them drawn by the seed
#                      MUTATE_SEED (default 1)
#   mutate.sh --sample N mutants (MUTATE_SAMPLE, default 20) drawn from all
#                      of src/ and tools/, by the same seed
# BUILD names the build tree (default build, configured as `make check` does).
set -u
cd "$(dirname "$0")/.."
build=${BUILD:-build}
jobs=$(($(nproc) * 6))

# The production sources that the POSIX build compiles: no tests, no
# generated tables, none of the Windows side (its tests run under wine).
production() {
  grep -E '^(src|tools)/.*\.(cpp|h)$' | grep -vE '_test\.cpp$|/code_pages/|/win32/|_win32\.'
}

# "file line" for each line a change added or altered since $1.
changed_lines() {
  git diff -U0 "$1" -- src tools | awk '
    /^\+\+\+ b\// { file = substr($0, 7) }
    /^@@/ {
      split($3, added, ",")
      start = substr(added[1], 2)
      count = added[2] == "" ? 1 : added[2]
      for (i = 0; i < count; ++i) print file, start + i
    }'
}

# "file line" for every line of the production sources.
all_lines() {
  git ls-files src tools | production | while IFS= read -r file; do
    awk -v file="$file" '{ print file, NR }' "$file"
  done
}

# The mutants of one line: "file line number" for each of the line's
# operators that applies (see mutant_text), none for comments, includes,
# assertions and blank lines.
mutants_of() {
  awk -v file="$1" -v line="$2" 'NR == line {
    if ($0 ~ /^[ \t]*(\/\/|#|static_assert|$)/) exit
    if ($0 ~ / (<|<=|>|>=|==|!=) /) print file, line, 1
    if ($0 ~ /&&|\|\|/) print file, line, 2
    if ($0 ~ /(^|[^A-Za-z_0-9.])(0x[0-9A-Fa-f]+|[0-9]+)([^A-Za-z_0-9.]|$)/ && $0 !~ /"/) print file, line, 3
    if ($0 ~ /(^|[^A-Za-z_])(true|false)([^A-Za-z_]|$)/) print file, line, 4
    if ($0 ~ /^[ \t]*return [^;{]+;/) print file, line, 5
    exit
  }' "$1"
}

# Line $2 of file $1 with operator $3 applied to its first match.
mutant_text() {
  awk -v line="$2" -v op="$3" '
    function hex(text,  i, value) {
      value = 0
      for (i = 3; i <= length(text); ++i)
        value = value * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
      return value
    }
    NR != line { print; next }
    op == 1 {
      n = match($0, / (<=|>=|==|!=|<|>) /)
      o = substr($0, RSTART + 1, RLENGTH - 2)
      r = o == "<" ? "<=" : o == "<=" ? "<" : o == ">" ? ">=" : o == ">=" ? ">" : o == "==" ? "!=" : "=="
      $0 = substr($0, 1, RSTART) r substr($0, RSTART + RLENGTH - 1)
    }
    op == 2 { if (!sub(/&&/, "||")) sub(/\|\|/, "\\&\\&") }
    op == 3 {
      match($0, /(^|[^A-Za-z_0-9.])(0x[0-9A-Fa-f]+|[0-9]+)([^A-Za-z_0-9.]|$)/)
      text = substr($0, RSTART, RLENGTH)
      match(text, /0x[0-9A-Fa-f]+|[0-9]+/)
      number = substr(text, RSTART, RLENGTH)
      value = number ~ /^0x/ ? sprintf("0x%X", hex(number) + 1) : number + 1
      sub(number, value, text)
      match($0, /(^|[^A-Za-z_0-9.])(0x[0-9A-Fa-f]+|[0-9]+)([^A-Za-z_0-9.]|$)/)
      $0 = substr($0, 1, RSTART - 1) text substr($0, RSTART + RLENGTH)
    }
    op == 4 { if (!sub(/true/, "false")) sub(/false/, "true") }
    op == 5 { sub(/return [^;{]+;/, "return {};") }
    { print }' "$1"
}

# Builds and tests the tree as it is: 0 when every test passes, 1 when one
# fails, 2 when it does not build.
build_and_test() {
  cmake --build "$build" >/dev/null 2>&1 || return 2
  ctest --test-dir "$build" -LE wine -j"$jobs" --timeout 120 --stop-on-failure \
    >/dev/null 2>&1 || return 1
  return 0
}

# The first $1 of the lines read, in an order drawn by the seed; all of
# them, in their order, for an empty $1.
draw() {
  if [ -z "$1" ]; then cat; return; fi
  awk -v seed="${MUTATE_SEED:-1}" 'BEGIN { srand(seed) } { print rand() "\t" $0 }' |
    sort -n | cut -f2 | head -n "$1"
}

if [ "${1:-}" = "--sample" ]; then
  candidates=$(all_lines | while read -r file line; do mutants_of "$file" "$line"; done |
    draw "${MUTATE_SAMPLE:-20}")
else
  base=${1:-$(git merge-base HEAD main)}
  candidates=$(changed_lines "$base" |
    while read -r file line; do
      echo "$file" | production >/dev/null && [ -f "$file" ] && mutants_of "$file" "$line"
    done | draw "${MUTATE_SAMPLE:-}")
fi

[ -f "$build/CMakeCache.txt" ] || { echo "mutate.sh: no build tree $build (run make check first)" >&2; exit 2; }
# The original of the file being mutated is kept beside it, as
# FILE.mutate-original, and put back on every way out; one that a killed
# run left behind is put back first.
original_suffix=.mutate-original
find src tools -name "*$original_suffix" | while IFS= read -r left; do
  echo "mutate.sh: putting back ${left%"$original_suffix"}, left mutated by an earlier run" >&2
  mv -f "$left" "${left%"$original_suffix"}" && touch "${left%"$original_suffix"}"
done
current=""
restore() {
  # Touched, so that the build takes it anew and not for the mutant it built.
  if [ -n "$current" ]; then mv -f "$current$original_suffix" "$current" && touch "$current"; fi
  current=""
}
finish() {
  if [ -n "${job:-}" ]; then kill "$job" 2>/dev/null; wait "$job" 2>/dev/null; fi
  restore
  rm -f "${mutant:-}"
}
trap finish EXIT
trap 'finish; cmake --build "$build" >/dev/null 2>&1; exit 130' HUP INT TERM QUIT
mutant=$(mktemp)
survivors=""
count=0
killed=0
while read -r file line op; do
  [ -n "$file" ] || continue
  cp "$file" "$file$original_suffix"
  current=$file
  mutant_text "$file" "$line" "$op" >"$mutant" && cp "$mutant" "$file"
  if cmp -s "$file" "$file$original_suffix"; then restore; continue; fi
  count=$((count + 1))
  change=$(sed -n "${line}p" "$file" | sed 's/^[[:space:]]*//')
  # In the background, so that a signal is acted on at once, not once the
  # build and the tests are over.
  build_and_test &
  job=$!
  wait "$job"
  result=$?
  job=""
  case $result in
    0) echo "survived  $file:$line  $change"; survivors="$survivors$file:$line  $change"$'\n' ;;
    1) echo "killed    $file:$line  $change"; killed=$((killed + 1)) ;;
    2) echo "no build  $file:$line  $change" ;;
  esac
  restore
done <<<"$candidates"
cmake --build "$build" >/dev/null 2>&1
echo
echo "$count mutants, $killed killed, $(printf '%s' "$survivors" | grep -c .) survived"
[ -z "$survivors" ] || printf 'Survivors:\n%s' "$survivors"
