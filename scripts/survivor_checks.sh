#!/usr/bin/env bash
# The rest of ./test for the faults the unit tests missed (scripts/mutants.sh prints them as
# SURVIVED): each fault is planted, then the end-to-end scripts run in the normal build and the
# whole ctest (unit tests under ASan + UBSan, every fuzz target) in the sanitizer build.
#   scripts/survivor_checks.sh LIST [BUILD_DIR] [FUZZ_DIR]
# LIST has the format of scripts/mutants.sh. BUILD_DIR (default build-mutants) and FUZZ_DIR
# (default build-fuzz-mutants) are configured as ./test configures build and build-fuzz.
# CHECKS=e2e or CHECKS=sanitizer runs one half only (the halves can run side by side, each in
# a worktree of its own).
set -uo pipefail
cd "$(dirname "$0")/.."
list=$1
dir=${2:-build-mutants}
fuzz=${3:-build-fuzz-mutants}
jobs=${JOBS:-$(nproc)}
checks=${CHECKS:-e2e sanitizer}
e2e=false sanitizer=false
[[ $checks == *e2e* ]] && e2e=true
[[ $checks == *sanitizer* ]] && sanitizer=true
if $e2e; then cmake -S . -B "$dir" -DMOSSFORGE_BENCH=OFF >/dev/null || exit 1; fi
if $sanitizer; then
  CC=clang CXX=clang++ cmake -S . -B "$fuzz" -DMOSSFORGE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
caught=0 missed=0
while IFS='|' read -r file text repl; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  cp -p "$file" "$file.orig"
  FILE="$file" TEXT="$text" REPL="$repl" python3 scripts/plant_fault.py ||
    { mv "$file.orig" "$file"; echo "NOT FOUND  $file: $text"; continue; }
  why=""
  # An end-to-end failure counts once it repeats: a loaded machine can drop a key press.
  if $e2e && ! cmake --build "$dir" -j"$jobs" >/dev/null 2>&1; then
    echo "NO BUILD   $file: $text -> $repl"; mv "$file.orig" "$file"; touch "$file"; continue
  elif $e2e && ! (cd "$dir" && ctest -L e2e --output-on-failure >e2e.log 2>&1) &&
       ! (cd "$dir" && ctest --rerun-failed --output-on-failure >e2e.log 2>&1); then
    why="e2e: $(sed -n 's/.*[0-9] - \(e2e_[a-z_0-9]*\) .*/\1/p' "$dir/e2e.log" | paste -sd' ')"
  elif ! $sanitizer; then
    :
  elif ! cmake --build "$fuzz" -j"$jobs" >/dev/null 2>&1; then
    why="no sanitizer build"
  elif ! (cd "$fuzz" && ctest -j"$jobs" --output-on-failure >sanitizer.log 2>&1); then
    why="sanitizer build: $(sed -n 's/.*[0-9] - \([a-z_0-9]*\) .*/\1/p' "$fuzz/sanitizer.log" | paste -sd' ')"
  fi
  if [ -n "$why" ]; then
    echo "caught     $file: $text -> $repl ($why)"; caught=$((caught + 1))
  else
    echo "SURVIVED   $file: $text -> $repl"; missed=$((missed + 1))
  fi
  mv "$file.orig" "$file"
  touch "$file"
done <"$list"
if $e2e; then cmake --build "$dir" -j"$jobs" >/dev/null 2>&1; fi
if $sanitizer; then cmake --build "$fuzz" -j"$jobs" >/dev/null 2>&1; fi
echo "caught $caught of $((caught + missed)) by: $checks"
