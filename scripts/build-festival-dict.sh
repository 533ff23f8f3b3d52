#!/usr/bin/env bash
# Builds a Russian stress dictionary (dict.dat) from the Festival Russian voice
# that Debian ships (festvox-ru): downloads the package, takes only its stress
# dictionary and licence notice, and imports the dictionary with vlstress.
# Usage: scripts/build-festival-dict.sh OUTPUT.dat [VLSTRESS]
# The licence notice is kept beside the output as OUTPUT.dat.copyright.
set -euo pipefail

out=${1:?usage: build-festival-dict.sh OUTPUT.dat [VLSTRESS]}
root=$(cd "$(dirname "$0")/.." && pwd)
vlstress=${2:-$root/build/native/bin/vlstress}
[ -x "$vlstress" ] || { echo "no vlstress at $vlstress: build it first" >&2; exit 1; }
out=$(realpath -m "$out")
[ ! -e "$out" ] || { echo "$out exists: remove it first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get download -q festvox-ru >/dev/null
dict=./usr/share/festival/voices/russian/msu_ru_nsh_clunits/dict/msu_ru_nsh_dict.scm
notice=./usr/share/doc/festvox-ru/copyright
# tar stops once it has both files (near the start of the 179 MB archive);
# dpkg-deb then ends on a broken pipe, which is expected.
set +o pipefail
dpkg-deb --fsys-tarfile festvox-ru_*.deb 2>/dev/null | tar -x --occurrence=1 "$dict" "$notice"
set -o pipefail
[ -f "$dict" ] && [ -f "$notice" ] || { echo "festvox-ru has no $dict" >&2; exit 1; }

"$vlstress" --db "$out" --import-festival "$dict"
cp "$notice" "$out.copyright"
