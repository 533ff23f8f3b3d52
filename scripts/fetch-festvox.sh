#!/usr/bin/env bash
# Fetches Debian's festvox-ru (a Russian voice for Festival) through the
# machine's configured package source, once, into a cache folder outside the
# tree: the package itself (deb/), its stress dictionary and licence notice,
# and with --voice the whole voice folder (recordings, labels, pitch marks).
# Later calls reuse what is there.
# Usage: scripts/fetch-festvox.sh [--voice] [CACHE]   (default /var/cache/velnor-festvox,
# or ~/.cache/velnor-festvox when that cannot be written)
# Prints the paths of the dictionary and of the notice, and with --voice of the
# voice folder, one a line.
set -euo pipefail

voice=
if [ "${1:-}" = --voice ]; then voice=1; shift; fi
cache=${1:-${VL_FESTVOX_CACHE:-/var/cache/velnor-festvox}}
mkdir -p "$cache" 2>/dev/null && [ -w "$cache" ] || cache=${XDG_CACHE_HOME:-$HOME/.cache}/velnor-festvox
mkdir -p "$cache"
dict=$cache/msu_ru_nsh_dict.scm
notice=$cache/festvox-ru.copyright
folder=$cache/msu_ru_nsh_clunits
inner_folder=./usr/share/festival/voices/russian/msu_ru_nsh_clunits
inner_dict=$inner_folder/dict/msu_ru_nsh_dict.scm
inner_notice=./usr/share/doc/festvox-ru/copyright

package() {
  local found
  found=$(ls "$cache"/deb/festvox-ru_*.deb 2>/dev/null | head -n1 || true)
  if [ -z "$found" ]; then
    command -v apt-get >/dev/null || { echo "no apt-get: festvox-ru cannot be fetched here" >&2; exit 1; }
    mkdir -p "$cache/deb"
    if ! (cd "$cache/deb" && apt-get download -q festvox-ru >/dev/null 2>"$work/err.txt"); then
      echo "festvox-ru cannot be downloaded from the configured package source: $(tail -n1 "$work/err.txt")" >&2
      rm -f "$cache"/deb/*.deb
      exit 1
    fi
    found=$(ls "$cache"/deb/festvox-ru_*.deb | head -n1)
  fi
  echo "$found"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ ! -s "$dict" ] || [ ! -s "$notice" ] || { [ -n "$voice" ] && [ ! -s "$folder/etc/txt.done.data" ]; }; then
  deb=$(package)
  cd "$work"
  dpkg-deb -x "$deb" .
  [ -s "$inner_dict" ] && [ -s "$inner_notice" ] && [ -s "$inner_folder/etc/txt.done.data" ] ||
    { echo "$deb has no festvox-ru voice folder" >&2; exit 1; }
  # Into the cache by rename, so that a half-copied file is never reused.
  cp "$inner_notice" "$notice.tmp" && mv "$notice.tmp" "$notice"
  cp "$inner_dict" "$dict.tmp" && mv "$dict.tmp" "$dict"
  if [ -n "$voice" ]; then
    rm -rf "$folder.tmp" "$folder"
    mv "$inner_folder" "$folder.tmp" && mv "$folder.tmp" "$folder"
  fi
fi
echo "$dict"
echo "$notice"
if [ -n "$voice" ]; then echo "$folder"; fi
