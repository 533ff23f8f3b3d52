#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time, one per processor.
set -euo pipefail
build=${1:-build/fuzz}
export seconds=${VL_FUZZ_SECONDS:-10}
shopt -s nullglob
targets=()
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] && targets+=("$target")
done
[ ${#targets[@]} -gt 0 ] || { echo "run-fuzzers: no fuzz targets in $build/fuzz" >&2; exit 1; }
echo "fuzzing ${#targets[@]} targets for ${seconds}s each"
# A target's output is printed whole when it ends: its last lines, or its report
# when it failed; xargs then fails too.
printf '%s\0' "${targets[@]}" | xargs -0 -n 1 -P "$(nproc)" bash -c '
  status=0
  out=$("$0" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 2>&1) || status=$?
  if [ "$status" -eq 0 ]; then
    printf "%s: %s\n" "$(basename "$0")" "$(tail -n 1 <<<"$out")"
  else
    printf "%s FAILED (status %d):\n%s\n" "$(basename "$0")" "$status" "$(tail -n 60 <<<"$out")"
  fi
  exit "$status"'
