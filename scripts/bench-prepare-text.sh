#!/usr/bin/env bash
# Runs the prepare_text benchmark on real text: Debian's Russian fortunes
# (scripts/fetch-bench-text.sh) and Debian's Ukrainian manual pages, fetched
# into build/bench-data with roff requests and font escapes removed. Extra
# arguments go to the benchmark. With glibc, long texts also pay for the pages
# the allocator hands back between calls; to time the stages with the heap held,
# run with GLIBC_TUNABLES=glibc.malloc.trim_threshold=4000000000:glibc.malloc.mmap_threshold=4000000000
set -euo pipefail
cd "$(dirname "$0")/.."
eval "$(./scripts/fetch-bench-text.sh)"
data=$PWD/build/bench-data
mkdir -p "$data"
if [ ! -s "$data/ukrainian.txt" ]; then
  rm -rf "$data/manpages-uk" && mkdir -p "$data/manpages-uk"
  (cd "$data/manpages-uk" && apt-get download manpages-uk >/dev/null && dpkg-deb -x manpages-uk_*.deb .)
  find "$data/manpages-uk/usr/share/man" -name '*.gz' -print0 | sort -z | xargs -0 zcat \
    | grep -v "^[.']" | sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' > "$data/ukrainian.txt"
  rm -rf "$data/manpages-uk"
fi
cmake --preset bench >/dev/null
cmake --build --preset bench --target bench_prepare_text
export VL_BENCH_UKRAINIAN_TEXT=$data/ukrainian.txt
build/bench/bench/bench_prepare_text "$@"
