#!/usr/bin/env bash
# Fetches the Russian stress dictionary of Debian's festvox-ru and its licence
# notice through the machine's configured package source, once: the two files
# are kept in a cache folder outside the tree and reused by later calls.
# Usage: scripts/fetch-festvox-dict.sh [CACHE]   (default /var/cache/velnor-festvox,
# or ~/.cache/velnor-festvox when that cannot be written)
# Prints the paths of the dictionary and of the notice, one a line.
set -euo pipefail

cache=${1:-${VL_FESTVOX_CACHE:-/var/cache/velnor-festvox}}
mkdir -p "$cache" 2>/dev/null && [ -w "$cache" ] || cache=${XDG_CACHE_HOME:-$HOME/.cache}/velnor-festvox
mkdir -p "$cache"
dict=$cache/msu_ru_nsh_dict.scm
notice=$cache/festvox-ru.copyright

if [ ! -s "$dict" ] || [ ! -s "$notice" ]; then
  command -v apt-get >/dev/null || { echo "no apt-get: festvox-ru cannot be fetched here" >&2; exit 1; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cd "$work"
  if ! apt-get download -q festvox-ru >/dev/null 2>err.txt; then
    echo "festvox-ru cannot be downloaded from the configured package source: $(tail -n1 err.txt)" >&2
    exit 1
  fi
  inner_dict=./usr/share/festival/voices/russian/msu_ru_nsh_clunits/dict/msu_ru_nsh_dict.scm
  inner_notice=./usr/share/doc/festvox-ru/copyright
  # tar stops once it has both files (near the start of the 179 MB archive);
  # dpkg-deb then ends on a broken pipe, which is expected.
  set +o pipefail
  dpkg-deb --fsys-tarfile festvox-ru_*.deb 2>/dev/null | tar -x --occurrence=1 "$inner_dict" "$inner_notice"
  set -o pipefail
  [ -s "$inner_dict" ] && [ -s "$inner_notice" ] || { echo "festvox-ru has no $inner_dict" >&2; exit 1; }
  # Into the cache by rename, so that a half-copied file is never reused.
  cp "$inner_notice" "$notice.tmp" && mv "$notice.tmp" "$notice"
  cp "$inner_dict" "$dict.tmp" && mv "$dict.tmp" "$dict"
fi
echo "$dict"
echo "$notice"
