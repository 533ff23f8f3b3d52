#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time.
set -euo pipefail
build=${1:-build/fuzz}
seconds=${VL_FUZZ_SECONDS:-10}
shopt -s nullglob
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  echo "fuzzing $(basename "$target") for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 2>&1 | tail -n 2
done
