#!/usr/bin/env bash
# Fetches real Russian text (Debian's fortunes-ru) and Ukrainian text (Debian's
# manpages-uk, roff requests and font escapes removed) into build/bench-data,
# then builds and runs the prepare_text benchmark on them.
set -euo pipefail
cd "$(dirname "$0")/.."
data=$PWD/build/bench-data
mkdir -p "$data"

fetch() {  # fetch PACKAGE: the package's files under $data/PACKAGE
  [ -d "$data/$1" ] && return
  (cd "$data" && apt-get download "$1" >/dev/null && dpkg-deb -x "$1"_*.deb "$1" && rm -f "$1"_*.deb)
}

if [ ! -s "$data/russian.txt" ]; then
  fortunes=/usr/share/games/fortunes/ru
  if [ ! -d "$fortunes" ]; then fetch fortunes-ru; fortunes=$data/fortunes-ru$fortunes; fi
  cat "$fortunes"/*.u8 > "$data/russian.txt"
fi
if [ ! -s "$data/ukrainian.txt" ]; then
  fetch manpages-uk
  find "$data/manpages-uk/usr/share/man" -name '*.gz' -print0 | sort -z | xargs -0 zcat \
    | grep -v "^[.']" | sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' > "$data/ukrainian.txt"
fi

cmake --preset bench >/dev/null
cmake --build --preset bench --target prepare_text_bench
VL_BENCH_RUSSIAN_TEXT=$data/russian.txt VL_BENCH_UKRAINIAN_TEXT=$data/ukrainian.txt \
  build/bench/bench/prepare_text_bench "$@"
