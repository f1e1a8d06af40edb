#!/bin/sh
# Runs each fuzz target for a bounded time, starting from its seed corpus.
# New inputs collect in <build>/corpus/<target>; a crash is written to
# <build>/crashes/ and makes the run fail. Keep a crash as a regression seed
# by copying it into tests/fuzz/corpus/<target>/ once it is fixed.
# Usage: run-fuzz.sh <fuzz build folder> <seconds per target> <target>...
set -u
build=$1 seconds=$2
shift 2
mkdir -p "$build/crashes"
failed=0
for target in "$@"; do
  mkdir -p "$build/corpus/$target"
  printf '%-16s ' "$target"
  if "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/crashes/$target-" \
      "$build/corpus/$target" "tests/fuzz/corpus/$target" >"$build/$target.log" 2>&1; then
    grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/$target.log" | awk '{print $2 " runs, no crash"}'
  else
    failed=1
    echo "CRASH: see $build/$target.log and $build/crashes/"
  fi
done
exit $failed
