#!/usr/bin/env bash
# Builds a Russian stress dictionary (dict.dat) from the Festival Russian voice
# that Debian ships (festvox-ru): scripts/fetch-festvox.sh fetches its stress
# dictionary and licence notice once, and vlstress imports the dictionary.
# Usage: scripts/build-festival-dict.sh OUTPUT.dat [VLSTRESS]
# Relative paths are taken from the current folder. The licence notice is kept
# beside the output as OUTPUT.dat.copyright.
set -euo pipefail

out=${1:?usage: build-festival-dict.sh OUTPUT.dat [VLSTRESS]}
root=$(cd "$(dirname "$0")/.." && pwd)
vlstress=${2:-$root/build/native/bin/vlstress}
[ -x "$vlstress" ] || { echo "no vlstress at $vlstress: build it first" >&2; exit 1; }
[ ! -e "$out" ] || { echo "$out exists: remove it first" >&2; exit 1; }

{ read -r dict; read -r notice; } < <("$root/scripts/fetch-festvox.sh")
"$vlstress" --db "$out" --import-festival "$dict"
cp "$notice" "$out.copyright"
