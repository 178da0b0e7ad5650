#!/usr/bin/env bash
# Runs one libFuzzer target for a short, bounded time on its seed corpus.
# Usage: run_target.sh TARGET WORK_CORPUS SEED_DIR   (FUZZ_SECONDS, default 5)
# The work corpus starts afresh from the seeds on every run, so the run stays as brief as
# the seeds make it; long runs (see README) keep their corpus elsewhere.
set -eu
target=$1 work=$2 seeds=$3
rm -rf "$work"
mkdir -p "$work"
[ -d "$seeds" ] && cp "$seeds"/* "$work"/ 2>/dev/null || true
exec "$target" -max_total_time="${FUZZ_SECONDS:-5}" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$work"
