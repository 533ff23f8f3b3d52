#!/usr/bin/env bash
# Installs Debian's Russian fortunes, real Russian text for the text preparation
# benchmarks, and prints how to point the benchmarks at it. Safe to run again.
set -euo pipefail

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if ! dpkg-query -W -f='${Status}' fortunes-ru 2>/dev/null | grep -q 'install ok installed'; then
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends fortunes-ru
fi
echo "export VL_BENCH_TEXT=/usr/share/games/fortunes/ru"
