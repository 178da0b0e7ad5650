#!/usr/bin/env bash
# Plants one fault at a time in the product code and tells which ones the unit tests miss.
#   scripts/mutants.sh LIST [BUILD_DIR]
# LIST holds one fault per line: FILE|TEXT|REPLACEMENT (the first occurrence of TEXT in FILE is
# replaced; \n in TEXT and REPLACEMENT stands for a line break; blank lines and lines starting
# with # are skipped). Each fault is built into BUILD_DIR
# (default build-mutants), the unit tests run against it, and the file is put back before the
# next. A fault that does not build counts as neither caught nor missed.
# With MUTANT_MATRIX=FILE set, every fault's line and the names of all tests that failed on it
# are appended to FILE (one line per fault: the fault, a tab, the failing tests), to tell which
# tests catch faults no other test catches. JOBS sets the build's parallelism (default: all cores).
# TEST_TIMEOUT limits a shard's run in seconds (default 600; a fault can make a test loop forever);
# BUILD_TIMEOUT the build's (default 900; a build that hangs counts as caught).
set -uo pipefail
cd "$(dirname "$0")/.."
list=$1
dir=${2:-build-mutants}
cmake -S . -B "$dir" -DMOSSFORGE_BENCH=OFF >/dev/null || exit 1
cmake --build "$dir" -j"${JOBS:-$(nproc)}" >/dev/null || { echo "the unchanged tree does not build"; exit 1; }
caught=0 missed=0 broken=0
# The unit tests in one shard per core, run side by side; false when any test failed.
run_tests() {
  local n=${JOBS:-$(nproc)} i pids=() ok=0
  for ((i = 0; i < n; i++)); do
    GTEST_TOTAL_SHARDS=$n GTEST_SHARD_INDEX=$i timeout "${TEST_TIMEOUT:-600}" "$dir/mossforge_tests" --gtest_brief=1 >"$dir/mutant.$i.log" 2>&1 &
    pids+=($!)
  done
  for i in "${pids[@]}"; do wait "$i" || ok=1; done
  cat "$dir"/mutant.*.log >"$dir/mutant.log"
  return $ok
}
while IFS='|' read -r file text repl; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  cp -p "$file" "$file.orig"
  if ! FILE="$file" TEXT="$text" REPL="$repl" python3 scripts/plant_fault.py; then
    rm -f "$file.orig"; echo "NOT FOUND  $file: $text"; broken=$((broken + 1)); continue
  fi
  timeout "${BUILD_TIMEOUT:-900}" cmake --build "$dir" -j"${JOBS:-$(nproc)}" >/dev/null 2>&1
  built=$?
  if [ "$built" = 124 ]; then
    # The build runs the sample game generator on the product's code: a fault that makes it
    # hang would hang ./test too.
    pkill -f -- "$dir/" || true
    echo "caught     $file: $text -> $repl (the build hangs)"; caught=$((caught + 1))
    [ -n "${MUTANT_MATRIX:-}" ] && printf '%s|%s|%s\t%s\n' "$file" "$text" "$repl" "(the build hangs)" >>"$MUTANT_MATRIX"
  elif [ "$built" != 0 ]; then
    echo "NO BUILD   $file: $text -> $repl"; broken=$((broken + 1))
  elif run_tests; then
    echo "SURVIVED   $file: $text -> $repl"; missed=$((missed + 1))
    [ -n "${MUTANT_MATRIX:-}" ] && printf '%s|%s|%s\t\n' "$file" "$text" "$repl" >>"$MUTANT_MATRIX"
  else
    failing=$(grep '^\[  FAILED  \] [A-Za-z]' "$dir/mutant.log" | sed 's/ (.*//; s/^\[  FAILED  \] //' | sort -u)
    n=$(printf '%s' "$failing" | grep -c .)
    echo "caught     $file: $text -> $repl ($n failing: $(printf '%s' "$failing" | head -3 | paste -sd' '))"
    caught=$((caught + 1))
    [ -n "${MUTANT_MATRIX:-}" ] && printf '%s|%s|%s\t%s\n' "$file" "$text" "$repl" "$(printf '%s' "$failing" | paste -sd' ')" >>"$MUTANT_MATRIX"
  fi
  mv "$file.orig" "$file"
  touch "$file"
done <"$list"
cmake --build "$dir" -j"${JOBS:-$(nproc)}" >/dev/null 2>&1
total=$((caught + missed))
echo "caught $caught of $total ($(( total ? 100 * caught / total : 0 ))%), $broken not built or not found"
